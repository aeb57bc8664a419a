#include "controls/CBaseCockpitControl.h"

#include <climits>

#include "platform/CDC.h"
#include "util/KxText.h"

namespace {

constexpr const char* kImageNotLoaded =
    "CBaseCockpitControl::Initialise\n This image was not loaded\n";
constexpr const char* kNoImageFromFile =
    "CBaseCockpitControl::Initialise ... No image was loaded from file :";
constexpr const char* kNoImage = "CBaseCockpitControl::Initialise ... No image was loaded ";
constexpr const char* kNoCoverImage = "CBaseCockpitControl::IsCoverValid ... No image was loaded ";
constexpr const char* kSwitchWhere = "CBaseCockpitControl::IsSwitchValid \n";
constexpr const char* kInvalidSwitch = "CBaseCockpitControl::IsSwitchValid ... Invalid switch";

// Order in which a closed guard frame draws its bars: picture slot per
// position (left, right, top, bottom, vertical, horizontal bar).
constexpr int kClosedGuardSlots[6] = {2, 3, 0, 1, 4, 5};
constexpr int kOpenTopSlot = 6;
constexpr int kOpenBottomSlot = 7;

}  // namespace

void CBaseCockpitControl::Draw(CDC* dc) {
    if (dc == nullptr)
        return;
    switch (m_kind) {
        case ControlType::Switch:
            CBaseCockpitControl::DrawSwitch(dc);
            break;
        case ControlType::PushButton:
            CBaseCockpitControl::DrawButton(dc);
            break;
        case ControlType::Knob:
            CBaseCockpitControl::DrawKnob(dc);
            break;
        case ControlType::Light:
            DrawSlot(dc, m_index != 0 ? 1 : 0);
            break;
        case ControlType::Lever:
            DrawIndexed(dc, 8);
            break;
        case ControlType::GuardedButton:
            DrawGuard(dc);
            break;
        case ControlType::Cover:
            DrawSlot(dc, m_index == 1 ? 1 : 0);
            break;
        case ControlType::RotaryKnob:
        case ControlType::None:
            break;
    }
}

void CBaseCockpitControl::DrawSwitch(CDC* dc) {
    DrawIndexed(dc, 3);
}

void CBaseCockpitControl::DrawKnob(CDC* dc) {
    DrawIndexed(dc, 8);
}

void CBaseCockpitControl::DrawButton(CDC* dc) {
    DrawIndexed(dc, m_reducedSet ? 4 : 8);
}

void CBaseCockpitControl::DrawIndexed(CDC* dc, int count) {
    if (m_index >= 0 && m_index < count)
        DrawSlot(dc, m_index);
}

void CBaseCockpitControl::DrawSlot(CDC* dc, int slot) {
    DrawSlotAt(dc, slot, m_x, m_y);
}

void CBaseCockpitControl::DrawSlotAt(CDC* dc, int slot, int x, int y) {
    if (dc == nullptr || slot < 0 || slot >= kSlotCount)
        return;
    // An unloaded picture draws nothing.
    dc->DrawBitmap(m_images[slot].bitmap, x, y);
}

void CBaseCockpitControl::DrawGuard(CDC* dc) {
    if (m_guardState == kGuardUnset)
        return;
    if (m_guardState == kGuardClosed) {
        for (int i = 0; i < 6; ++i) {
            DrawSlotAt(dc, kClosedGuardSlots[i], m_guardPositions[i].x, m_guardPositions[i].y);
        }
        m_closedGuardDrawn = true;
        return;
    }
    // Open: the first drawing after a closed one puts the open-bottom picture
    // over the place of the bars; later drawings show the open top.
    if (m_closedGuardDrawn) {
        DrawSlotAt(dc, kOpenBottomSlot, m_guardPositions[7].x, m_guardPositions[7].y);
        m_closedGuardDrawn = false;
    } else {
        DrawSlotAt(dc, kOpenTopSlot, m_guardPositions[6].x, m_guardPositions[6].y);
    }
}

bool CBaseCockpitControl::Initialise(const ControlDefinition& definition) {
    SetPosition(definition.x, definition.y);
    m_anyLoaded = false;
    m_hasFailedName = false;
    m_failedName[0] = '\0';

    char name[kNameSize];
    for (int i = 0; i < kSlotCount; ++i) {
        // Bounded copy: a carelessly filled definition may leave a name
        // unterminated.
        kx::StrCopy(name, definition.fileNames[i]);
        m_loaded[i] = false;
        if (name[0] == '\0') {
            m_images[i].bitmap.Release();
            continue;
        }
        if (LoadControlImage(m_images[i], name)) {
            m_loaded[i] = true;
            m_anyLoaded = true;
        } else if (!m_hasFailedName) {
            kx::StrCopy(m_failedName, name);
            m_hasFailedName = true;
        }
    }

    if (!m_anyLoaded)
        return false;

    m_kind = definition.kind;
    m_reducedSet = definition.reducedPictureSet != 0;
    return ApplyValidity(definition);
}

bool CBaseCockpitControl::ApplyValidity(const ControlDefinition& definition) {
    switch (m_kind) {
        case ControlType::Switch:
            return IsSwitchValid(definition.positionCount);
        case ControlType::PushButton: {
            bool valid = m_loaded[0] && m_loaded[1] && m_loaded[2] && m_loaded[3];
            for (int i = 4; i < 8; ++i)
                valid = valid && (m_loaded[i] || m_reducedSet);
            if (!valid)
                SetError(kNoImageFromFile, m_failedName);
            return valid;
        }
        case ControlType::Knob:
            SetError(kNoImage);
            return !m_hasFailedName;
        case ControlType::RotaryKnob:
        case ControlType::Light:
            SetError(kNoImage);
            return true;
        case ControlType::Lever:
            // A lever names a picture only for the detents it uses, so every
            // named picture must have loaded.
            SetError(kNoImage);
            return !m_hasFailedName;
        case ControlType::Cover:
            SetError(kNoCoverImage);
            return IsCoverValid();
        case ControlType::None:
        case ControlType::GuardedButton:
            return false;
    }
    return false;
}

bool CBaseCockpitControl::IsSwitchValid(int positionCount) {
    bool valid = false;
    switch (positionCount) {
        case 2:
        case 4:
            valid = m_loaded[0] && m_loaded[1];
            break;
        case 1:
        case 3:
        case 5:
        case 6:
            valid = m_loaded[0] && m_loaded[1] && m_loaded[2];
            break;
        default:
            valid = false;
            break;
    }
    if (!valid) {
        if (m_hasFailedName)
            SetError(kSwitchWhere, m_failedName);
        else
            SetError(kInvalidSwitch);
    }
    return valid;
}

bool CBaseCockpitControl::IsCoverValid() {
    return m_loaded[0] && m_loaded[1];
}

bool CBaseCockpitControl::LoadControlImage(ControlImage& slot, const char* fileName) {
    if (!slot.bitmap.Load(fileName)) {
        slot.width = 0;
        slot.height = 0;
        SetError(kImageNotLoaded, fileName);
        return false;
    }
    slot.width = slot.bitmap.Width();
    slot.height = slot.bitmap.Height();
    m_rect = CRect(m_x, m_y, m_x + slot.width, m_y + slot.height);
    return true;
}

void CBaseCockpitControl::JoinPictureName(char (&out)[kNameSize], const char* a, const char* b,
                                          const char* c, const char* d) {
    kx::Format(out, kNameSize, "%s%s%s%s", a ? a : "", b ? b : "", c ? c : "", d ? d : "");
}

void CBaseCockpitControl::SetPosition(int x, int y) {
    m_x = x;
    m_y = y;
    m_mouse.SetPosition(x, y);
}

void CBaseCockpitControl::SetScale(double scale) {
    m_scale = kx::Limit(scale, kMinScale, kMaxScale);
}

int CBaseCockpitControl::ScaleValue(int value) const {
    // The scale is at most 5, but keep a wild offset from overflowing.
    double scaled = value * m_scale;
    if (scaled >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (scaled <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(scaled);
}

void CBaseCockpitControl::GetLocalMousePoint(CPoint& out) {
    m_lastClick = CPanelMouse::GetPictureMousePoint();
    out = m_mouse.GetLocalPoint();
}

bool CBaseCockpitControl::IsPointInside(int x, int y) const {
    return x > m_rect.left && x < m_rect.right && y > m_rect.top && y < m_rect.bottom;
}

bool CBaseCockpitControl::IsLocalPointInside(int x, int y) const {
    return x > 0 && x < m_rect.Width() && y > 0 && y < m_rect.Height();
}

bool CBaseCockpitControl::IsImageLoaded(int slot) const {
    return slot >= 0 && slot < kSlotCount && m_loaded[slot];
}
