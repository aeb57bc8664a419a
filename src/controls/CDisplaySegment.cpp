#include "controls/CDisplaySegment.h"

#include "platform/CDC.h"
#include "util/KxText.h"

int CGlyphTable::SlotForCharacter(char c) {
    for (const CharacterGlyph& g : kCharacterGlyphs) {
        if (g.character == c)
            return g.slot;
    }
    return kBlankSlot;
}

bool CGlyphTable::Load(const char* folder, Kx_ErrorReport& report) {
    bool all = true;
    char path[CBaseCockpitControl::kNameSize];
    for (int i = 0; i < kSlotCount; ++i) {
        Slot& slot = m_slots[i];
        slot.bitmap.Release();
        slot.width = 0;
        slot.height = 0;
        if (kFileNames[i] == nullptr)
            continue;
        kx::Format(path, sizeof path, "%s%s", folder ? folder : "", kFileNames[i]);
        if (slot.bitmap.Load(path)) {
            slot.width = slot.bitmap.Width();
            slot.height = slot.bitmap.Height();
        } else {
            report.SetError("CDisplaySegment::LoadBitMap", path, slot.bitmap.GetReason().c_str());
            all = false;
        }
    }
    m_loaded = true;
    m_complete = all;
    kx::StrCopy(m_failure, all ? "" : report.GetErrorText());
    return all;
}

bool CGlyphTable::HasGlyph(int slot) const {
    return slot >= 0 && slot < kSlotCount && m_slots[slot].bitmap.IsLoaded();
}

const CBitmapFile* CGlyphTable::Glyph(int slot) const {
    return HasGlyph(slot) ? &m_slots[slot].bitmap : nullptr;
}

int CGlyphTable::Width(int slot) const {
    return (slot >= 0 && slot < kSlotCount) ? m_slots[slot].width : 0;
}

int CGlyphTable::Height(int slot) const {
    return (slot >= 0 && slot < kSlotCount) ? m_slots[slot].height : 0;
}

CGlyphTable& CGlyphTable::Shared() {
    static CGlyphTable table;
    return table;
}

bool CDisplaySegment::Initialise(int cellIndex, const char* folder, int x0, int y0) {
    kx::StrCopy(m_folder, folder);
    bool ok = true;
    CGlyphTable& glyphs = CGlyphTable::Shared();
    if (!glyphs.IsLoaded()) {
        ok = glyphs.Load(m_folder, *this);
    } else if (!glyphs.IsComplete()) {
        // The glyphs are loaded once for the program: every display made
        // after a failed load fails with the same text, not only the first.
        SetError(glyphs.FailureText());
        ok = false;
    }

    // Every glyph has the width of the zero.
    m_cellX = x0 + cellIndex * glyphs.Width(0);
    m_cellY = y0;
    SetPosition(m_cellX, m_cellY);
    m_fontCreated = false;
    return ok;
}

void CDisplaySegment::SetCharacter(char c, CDC* dc) {
    if (m_cacheValid && c == m_cached)
        return;
    m_cached = c;
    m_cacheValid = true;
    DrawGlyph(CGlyphTable::SlotForCharacter(c), dc);
}

void CDisplaySegment::DrawGlyph(int slot, CDC* dc) {
    if (dc == nullptr)
        return;
    if (const CBitmapFile* glyph = CGlyphTable::Shared().Glyph(slot))
        dc->DrawBitmap(*glyph, m_cellX, m_cellY);
}

void CDisplaySegment::DrawTextCharacter(char c, CDC* dc) {
    if (dc == nullptr)
        return;
    if (!m_fontCreated) {
        m_fontCreated = true;
        m_textOrigin = CPoint(m_cellX + kTextDx, m_cellY + kTextDy);
    }
    dc->SelectFont(kTextFace, kTextSize);
    dc->SetTextColor(kTextColour);
    if (c == ' ' || (c >= '0' && c <= '9')) {
        const char text[2] = {c, '\0'};
        dc->TextOut(m_textOrigin.x, m_textOrigin.y, text);
    }
}
