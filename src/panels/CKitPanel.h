// CKitPanel: a panel that follows the common pattern, driven by its
// description (kit::PanelDescription). Set-up, update, refresh, presets and drawing
// run as one loop per control kind over the description's rows; a panel class
// derives from KitPanel<counts> and overrides only the hooks for the rules
// that are its own.
//
// One update:
//  1. remote hold: RefreshFromOutputs() and stop;
//  2. BeforeControls (the panel's own step);
//  3. covers (unless the panel updates them after its buttons);
//  4. push-buttons: the mouse event (only for an active button drawn in this
//     layout), their lights and the lamp test; then a button that a row holds
//     in or a requested preset forces is set to that state, and the state
//     goes to its output field. A forced button therefore publishes its
//     forced state in every update, whatever the trainee clicks;
//  5. switches, knobs and levers the same way;
//  6. lights from their sources;
//  7. covers, for panels that update them after their buttons;
//  8. AfterControls (the panel's own step).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "controls/CButtonClass.h"
#include "controls/CGuardedCover.h"
#include "controls/CKnobClass.h"
#include "controls/CLever.h"
#include "controls/CLightClass.h"
#include "controls/CPanelDisplay.h"
#include "controls/CRotaryKnobClass.h"
#include "controls/CSwitchClass.h"
#include "panels/CBasePanel.h"
#include "panels/KitRows.h"

class CKitPanel : public CBasePanel {
  public:
    enum class Kind { Button, Cover, Switch, Knob, Lever, Light, Rotary, Display };

    explicit CKitPanel(const kit::PanelDescription& desc, int side = 0)
        : m_desc(desc), m_side(side) {}

    bool Initialise(const char* folder, int x, int y) override;
    void Update(MouseEvent* event) override;
    void Draw(CDC* dc) override;
    void RefreshFromOutputs() override;
    void SetAllOn() override;
    bool QueryAircraftType() override;
    const CBaseCockpitControl* GetControl(int index) const override;

    const kit::PanelDescription& Description() const { return m_desc; }
    int GetSide() const { return m_side; }
    bool IsInitialised() const { return m_initialised; }
    // Segment offsets of the chosen blocks (kit::kNone when absent).
    std::uint32_t OutBlock() const { return m_blocks.out; }
    std::uint32_t InBlock() const { return m_blocks.in; }
    bool IsA320Layout() const { return m_a320Layout; }

    // The panel's blocks for a side and region, without initialising it.
    static blocks::PanelBlocks BlocksOf(const kit::PanelDescription& desc, int side, bool a320);

    // The controls, for the panel's own rules and for tests and tools.
    std::span<CButtonClass> Buttons() const { return m_buttons; }
    std::span<CGuardedCover> Covers() const { return m_covers; }
    std::span<CSwitchClass> Switches() const { return m_switches; }
    std::span<CKnobClass> Knobs() const { return m_knobs; }
    std::span<CLever> Levers() const { return m_levers; }
    std::span<CLightClass> Lights() const { return m_lights; }
    std::span<CPanelDisplay> Displays() const { return m_displays; }
    std::span<CRotaryKnobClass> Rotaries() const { return m_rotaries; }

  protected:
    struct Controls {
        std::span<CButtonClass> buttons;
        std::span<CGuardedCover> covers;
        std::span<CSwitchClass> switches;
        std::span<CKnobClass> knobs;
        std::span<CLever> levers;
        std::span<CLightClass> lights;
        std::span<CPanelDisplay> displays;
        std::span<CRotaryKnobClass> rotaries;
    };
    void Bind(const Controls& controls);

    // The panel's own rules. Offsets below are within the chosen blocks.
    virtual bool InitialiseExtra(const char* /*folder*/) { return true; }
    virtual void BeforeControls(std::uint8_t* /*view*/, MouseEvent* /*event*/) {}
    virtual void AfterControls(std::uint8_t* /*view*/, MouseEvent* /*event*/) {}
    // False: the control is neither updated nor drawn and publishes 0.
    virtual bool IsActive(Kind /*kind*/, int /*index*/) const { return true; }
    // Lights with Source::Panel.
    virtual bool LightLit(int /*index*/, const std::uint8_t* /*view*/) const { return false; }
    // The light of push-buttons with Lit::Panel.
    virtual bool ButtonLit(int /*index*/, const std::uint8_t* /*view*/) const { return false; }
    // Panels whose side is given after construction (before Initialise).
    void SetSideIndex(int side) { m_side = side; }
    // The text of display i; the display is left alone when it returns false.
    virtual bool DisplayText(int /*index*/, const std::uint8_t* /*view*/, char* /*text*/,
                             std::size_t /*size*/) const {
        return false;
    }
    virtual void DrawExtra(CDC* /*dc*/) {}
    // A control of this kind failed to set up; its error text is already the
    // panel's (a panel may add its own line to it).
    virtual void OnControlFailure(Kind /*kind*/) {}

    // Field access within the chosen blocks.
    std::uint8_t InByte(const std::uint8_t* view, std::uint32_t offset) const;
    void OutByte(std::uint8_t* view, std::uint32_t offset, std::uint8_t value) const;
    std::uint8_t ReadOutByte(const std::uint8_t* view, std::uint32_t offset) const;
    bool LampTest(const std::uint8_t* view) const;
    bool DrawnHere(kit::Layout drawn) const { return kit::DrawnIn(drawn, m_a320Layout); }

    // Applies preset k to the controls (without writing).
    void ApplyPreset(std::size_t preset);
    // Every control's state to its output field.
    void WriteOutputs(std::uint8_t* view);

  private:
    static constexpr Kind KindOf(const CButtonClass&) { return Kind::Button; }
    static constexpr Kind KindOf(const CGuardedCover&) { return Kind::Cover; }
    static constexpr Kind KindOf(const CSwitchClass&) { return Kind::Switch; }
    static constexpr Kind KindOf(const CKnobClass&) { return Kind::Knob; }
    static constexpr Kind KindOf(const CLever&) { return Kind::Lever; }
    static constexpr Kind KindOf(const CLightClass&) { return Kind::Light; }
    static constexpr Kind KindOf(const CRotaryKnobClass&) { return Kind::Rotary; }
    static constexpr Kind KindOf(const CPanelDisplay&) { return Kind::Display; }

    bool InitialiseControls(const char* folder);
    void UpdateCovers(MouseEvent* event);
    void UpdateButtons(std::uint8_t* view, MouseEvent* event);
    void UpdatePositioned(std::uint8_t* view, MouseEvent* event);
    void UpdateLights(const std::uint8_t* view);
    bool ButtonGated(int index) const;
    bool ButtonHidden(int index) const;
    // 'I', 'O', a digit, or 0: what holds and requested presets force now.
    char Forced(const char* presets, kit::Held held, const std::uint8_t* view) const;
    void WriteButton(std::uint8_t* view, int index);
    void WritePosition(std::uint8_t* view, const kit::Out& out, int position, int positions,
                       const char flags[2]);
    int PlaceX(int x, int x330) const;
    int PlaceY(int y, int y330) const;
    bool Fail(const char* what);
    void ButtonLights(int index, const std::uint8_t* view, bool& top, bool& bottom) const;

    const kit::PanelDescription& m_desc;
    int m_side = 0;
    bool m_initialised = false;
    bool m_a320Layout = true;
    blocks::PanelBlocks m_blocks = blocks::kNoBlocks;
    Controls m_controls;
    std::span<CButtonClass> m_buttons;
    std::span<CGuardedCover> m_covers;
    std::span<CSwitchClass> m_switches;
    std::span<CKnobClass> m_knobs;
    std::span<CLever> m_levers;
    std::span<CLightClass> m_lights;
    std::span<CPanelDisplay> m_displays;
    std::span<CRotaryKnobClass> m_rotaries;
};

// How many controls of each kind a kit panel holds (its rows' counts).
struct KitCounts {
    std::size_t buttons = 0;
    std::size_t covers = 0;
    std::size_t switches = 0;
    std::size_t knobs = 0;
    std::size_t levers = 0;
    std::size_t lights = 0;
    std::size_t displays = 0;
    std::size_t rotaries = 0;
};

// A kit panel that owns its controls by value.
template <KitCounts N>
class KitPanel : public CKitPanel {
  public:
    explicit KitPanel(const kit::PanelDescription& desc, int side = 0) : CKitPanel(desc, side) {
        Bind({m_buttonArray, m_coverArray, m_switchArray, m_knobArray, m_leverArray, m_lightArray,
              m_displayArray, m_rotaryArray});
    }

  private:
    std::array<CButtonClass, N.buttons> m_buttonArray;
    std::array<CGuardedCover, N.covers> m_coverArray;
    std::array<CSwitchClass, N.switches> m_switchArray;
    std::array<CKnobClass, N.knobs> m_knobArray;
    std::array<CLever, N.levers> m_leverArray;
    std::array<CLightClass, N.lights> m_lightArray;
    std::array<CPanelDisplay, N.displays> m_displayArray;
    std::array<CRotaryKnobClass, N.rotaries> m_rotaryArray;
};
