// skylid-art: writes the default cockpit art set.
//
//   skylid-art --out DIR
//
// DIR receives Bitmaps/ (every control picture that a panel names), the main
// picture Cockpit.bmp and a Skylid.ini that names them, with the folders and
// data files the ini names. The output is the same, byte for byte, on every
// run. The tool needs no display: it draws off screen.
#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "art/ArtPainter.h"
#include "art/ArtWriter.h"

namespace {

// Qt's notices about the session (no runtime folder when run as a service or
// in a container) say nothing about the art; everything else is passed on.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg && message.startsWith("QStandardPaths:"))
        return;
    std::fprintf(stderr, "skylid-art: %s\n", message.toLocal8Bit().constData());
}

void Usage(std::FILE* out) {
    std::fputs(
        "Usage: skylid-art --out DIR\n"
        "Writes the default cockpit art set into DIR:\n"
        "  DIR/Bitmaps/     every control picture the panels name\n"
        "  DIR/Cockpit.bmp  the main picture of the whole cockpit\n"
        "  DIR/Skylid.ini   the initialisation file that names them\n"
        "and the folders and data files that Skylid.ini names.\n"
        "Start the cockpit with: skylid --ini DIR/Skylid.ini\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            Usage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            out = argv[++i];
            continue;
        }
        std::fprintf(stderr, "skylid-art: unknown argument '%s'\n", argv[i]);
        Usage(stderr);
        return 2;
    }
    if (out.empty()) {
        std::fputs("skylid-art: --out DIR is required\n", stderr);
        Usage(stderr);
        return 2;
    }

    // The pictures are drawn off screen whatever display there is, so that the
    // tool runs headless and draws alike everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);

    const QFontInfo font{QFont(art::kFontFamily)};
    if (font.family() != art::kFontFamily) {
        std::fprintf(stderr,
                     "skylid-art: the font \"%s\" is not installed (Debian package "
                     "fonts-liberation2); found \"%s\" instead\n",
                     art::kFontFamily, font.family().toLocal8Bit().constData());
        return 1;
    }

    art::ArtSetSummary summary;
    std::string error;
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    if (!art::WriteArtSet(out, programFolder, summary, error)) {
        std::fprintf(stderr, "skylid-art: %s\n", error.c_str());
        return 1;
    }
    std::printf("skylid-art: wrote %d control pictures, Cockpit.bmp (%d x %d) and %s\n",
                summary.pictures, summary.mainWidth, summary.mainHeight, summary.iniPath.c_str());
    return 0;
}
