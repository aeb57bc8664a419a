#include "PanelBed.h"

#include "PanelArt.h"
#include "support/TestSupport.h"

namespace panelbed {

namespace {

void WriteArt(const std::filesystem::path& art) {
    using namespace panelart;
    int folder = 20;
    for (const char* legend :
         {"Buttons\\FaultOff", "Buttons\\FaultAlign", "Buttons\\FaultOnR", "Buttons\\GreenAvail",
          "Buttons\\DotsOffAmber", "Buttons\\FireFault"}) {
        WriteButtonFolder(art, legend, folder++);
    }
    for (const char* key :
         {"Buttons\\Adirs1", "Buttons\\Adirs2", "Buttons\\Adirs3", "Buttons\\Adirs4",
          "Buttons\\Adirs5", "Buttons\\Adirs6", "Buttons\\Adirs7", "Buttons\\Adirs8",
          "Buttons\\Adirs9", "Buttons\\Adirs0", "Buttons\\AdirsEnt", "Buttons\\AdirsClr"}) {
        WriteOnOffButtonFolder(art, key, folder++, 24, 22);
    }
    for (const char* key :
         {"Buttons\\EcamTo", "Buttons\\EcamEmer", "Buttons\\EcamEng", "Buttons\\EcamBleed",
          "Buttons\\EcamPress", "Buttons\\EcamElec", "Buttons\\EcamHyd", "Buttons\\EcamFuel",
          "Buttons\\EcamApu", "Buttons\\EcamCond", "Buttons\\EcamDoor", "Buttons\\EcamWheel",
          "Buttons\\EcamFctl", "Buttons\\EcamAll", "Buttons\\EcamClr", "Buttons\\EcamSts",
          "Buttons\\EcamRcl"}) {
        WriteOnOffButtonFolder(art, key, folder++, 40, 26);
    }
    WriteOnOffButtonFolder(art, "Buttons\\DuKnob", folder++, 40, 40);
    WriteCoverFolder(art, "Guards\\EmerCancel", folder++);
    WriteKnobFolder(art, "Knobs\\BlankKnob", folder++, 50);
    WriteKnobFolder(art, "Knobs\\BlankRoundKnob", folder++, 50);
    WriteKnobFolder(art, "Knobs\\StarterKnob", folder++, 64);
    WriteLightFolder(art, "Lights\\AdruOnBat", folder++, 40, 28);
    const char* const switches[][3] = {
        {"LightAOn.bmp", "LightAAuto.bmp", "LightAOff.bmp"},
        {"OnOffUp.bmp", "OnOffMid.bmp", "OnOffDn.bmp"},
        {"LightBUp.bmp", "LightBDn.bmp", "LightBDn.bmp"},
        {"RoundSwUp.bmp", "RoundSwMid.bmp", "RoundSwDwn.bmp"},
        {"AsUp.bmp", "AsCenter.bmp", "AsDown.bmp"},
    };
    for (const auto& names : switches)
        WriteSwitchPictures(art, names, folder++, 40, 64);
    const char* const masters[][3] = {
        {"EngStartSw1Up.bmp", "EngStartSw1Up.bmp", "EngStartSw1Dn.bmp"},
        {"EngStartSw2Up.bmp", "EngStartSw2Up.bmp", "EngStartSw2Dn.bmp"},
    };
    for (const auto& names : masters)
        WriteSwitchPictures(art, names, folder++, 40, 80);
    WriteGlyphs(art);
}

}  // namespace

const std::filesystem::path& KeypadPanelsArt() {
    static testsupport::TempDir dir;
    static const bool written = (WriteArt(dir.Path()), true);
    (void)written;
    return dir.Path();
}

}  // namespace panelbed
