#include "panels/PanelKit.h"

#include "panels/CBasePanel.h"

namespace panelkit {

namespace {
bool Lit(const GenField<std::uint8_t>& first, std::uint32_t stride, std::size_t i,
         const std::uint8_t* view) {
    return first.Plus(stride * i).Read(view) != 0;
}
}  // namespace

bool InitialiseButtons(CBasePanel& panel, std::span<CButtonClass> buttons,
                       std::span<const ButtonRow> rows, const Placement& at) {
    for (std::size_t i = 0; i < buttons.size() && i < rows.size(); ++i) {
        ButtonSettings settings;
        settings.buttonId = static_cast<std::int32_t>(i);
        settings.folder = at.folder;
        settings.controlFolder = rows[i].picture;
        settings.panelX = at.x;
        settings.panelY = at.y;
        settings.xOffset = rows[i].x;
        settings.yOffset = rows[i].y;
        settings.momentary = rows[i].momentary;
        settings.onOffSet = rows[i].onOffSet;
        settings.scale = at.scale;
        if (!buttons[i].Initialise(settings)) {
            panel.SetError(buttons[i].GetErrorText());
            return false;
        }
        // A new button shows picture 0 (in, upper legend lit) until its
        // first update; show it out and unlit as it is from the start.
        buttons[i].SetPressed(buttons[i].IsPressed());
    }
    return true;
}

bool InitialiseCover(CBasePanel& panel, CGuardedCover& cover, const char* picture,
                     const ButtonRow& coveredRow, const Placement& at) {
    CoverSettings settings;
    settings.folder = at.folder;
    settings.controlFolder = picture;
    settings.panelX = at.x;
    settings.panelY = at.y;
    settings.xOffset = coveredRow.x;
    settings.yOffset = coveredRow.y;
    settings.scale = at.scale;
    if (!cover.Initialise(settings)) {
        panel.SetError(cover.GetErrorText());
        return false;
    }
    return true;
}

void UpdateButtons(std::span<CButtonClass> buttons, const ButtonFields& fields, std::uint8_t* view,
                   MouseEvent* event) {
    const bool test = fields.lampTest.Read(view) != 0;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i].Update(event, Lit(fields.topLight, fields.lightStride, i, view),
                          Lit(fields.bottomLight, fields.lightStride, i, view), test);
        fields.state.Plus(i).Write(view, buttons[i].IsPressed() ? 1 : 0);
    }
}

void WriteButtonStates(std::span<const CButtonClass> buttons, const ButtonFields& fields,
                       std::uint8_t* view) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        fields.state.Plus(i).Write(view, buttons[i].IsPressed() ? 1 : 0);
    }
}

void RefreshButtons(std::span<CButtonClass> buttons, const ButtonFields& fields,
                    std::uint8_t* view) {
    const bool test = fields.lampTest.Read(view) != 0;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i].SetPressed(fields.state.Plus(i).Read(view) != 0);
        buttons[i].Update(nullptr, Lit(fields.topLight, fields.lightStride, i, view),
                          Lit(fields.bottomLight, fields.lightStride, i, view), test);
    }
}

void UpdateCover(CGuardedCover& cover, CButtonClass& button, MouseEvent* event) {
    cover.HandleMouse(event);
    button.SetLocked(cover.IsClosed());
}

void DrawButtons(std::span<CButtonClass> buttons, CDC* dc) {
    for (CButtonClass& button : buttons)
        button.Draw(dc);
}

}  // namespace panelkit
