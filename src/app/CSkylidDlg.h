// CSkylidDlg: the one window of the program.
//
// It owns everything that lives for the whole run: the two segment
// attachments, the cockpit manager with all panels, the real-time loop and
// the off-screen picture of the whole cockpit. It runs the start-up sequence,
// shows a part of the large cockpit picture, turns mouse and key input into
// the MouseEvent that the panels read, and does the per-iteration work that
// the real-time loop asks for.
#pragma once

#include <QImage>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "app/CA320Cockpit.h"
#include "app/HostWatchdog.h"
#include "app/QtMessagePump.h"
#include "app/RTLoop.h"
#include "controls/Kx_Remember.h"
#include "controls/MouseEvent.h"
#include "display/CBaseDisplay.h"
#include "platform/CDC.h"
#include "shm/SimSegment.h"

class KxBanner;
class ControlExplorer;
class PanelJumpPopup;
class QPainter;

// What the command line and the initialisation file choose.
struct DialogOptions {
    std::string iniFile = "Skylid.ini";
    // Segment names: the binding ones in the program; tests pass their own.
    std::string genericSegment = Gensim_Shm::kName;
    std::string trainingSegment = CTrnShm::kName;
    kx::IClock* clock = nullptr;  // the steady clock when null
    // Warn when the host's time counter stands still (off: --no-host-watchdog;
    // HostWatchdog = 0 in the initialisation file switches it off too).
    bool hostWatchdog = true;
    // The cockpit state file: restored at start-up when it exists, and where
    // Ctrl+S saves (skylid-state.ini in the working folder when empty).
    std::string stateFile;
};

class CSkylidDlg : public QWidget, public IFrameOwner {
  public:
    static constexpr const char* kVersionLabel = "Kx-P-0028 v1.0";
    static constexpr const char* kInitialisationOk = " *** Initialisation Ok ***";
    // The picture is drawn from here in the window (right of the small black
    // frame at the top-left corner, below the border).
    static constexpr int kFrameWidth = 12;
    static constexpr int kFrameHeight = 16;
    static constexpr int kBorderHeight = 1;
    // Added to the caption, and shown over the picture, while the host's time
    // counter stands still.
    static constexpr const char* kHostSilentCaption = " - host not responding";
    static constexpr const char* kHostSilentBanner =
        "HOST NOT RESPONDING - its time counter has not moved for 2 seconds";
    static constexpr int kHostSilentBannerHeight = 24;

    explicit CSkylidDlg(const DialogOptions& options);
    ~CSkylidDlg() override;

    // Runs the start-up sequence; the window stays inert when it fails.
    bool InitialiseDialog();
    void StartRealTime();
    bool LoadPicture(const char* file);
    void FrameUpdate() override;
    void InvalidatePicture() override;
    void UpdateViewPort();
    void ScrollBy(int dx, int dy);
    enum Direction { kNone, kLeft, kRight, kUp, kDown };
    void ScrollStep(Direction direction);
    void ClampScroll();
    void PollKeyboard();
    void ShutDown();

    // For the program's end and the tests.
    bool IsReady() const { return m_notReady == 0; }
    // The window was closed (a close or a signal may arrive while start-up
    // shows a message box; start-up then ends without touching the segments).
    bool IsClosed() const { return m_closed; }
    bool IsLoopRunning() const { return m_loopRunning; }
    int HeldKeyCount() const { return static_cast<int>(m_keysDown.size()); }
    const char* GetErrorText() const { return m_errorText; }
    const std::string& GetCaption() const { return m_caption; }
    int GetFrameCounter() const { return m_frameCounter; }
    int GetCyclicCounter() const { return m_cyclicCounter; }
    CPoint GetScroll() const { return m_scroll; }
    CPoint GetOrigin() const { return m_origin; }
    CSize GetPictureSize() const { return m_pictureSize; }
    const CRect& GetVisibleRect() const { return m_visibleRect; }
    const MouseEvent& GetMouseEvent() const { return m_mouse; }
    CSkylidCkptMngr& Manager() { return m_manager; }
    RealTimeLoop* Loop() { return m_loop.get(); }
    std::uint8_t* Segment() const { return m_generic; }
    const QImage& Picture() const { return m_picture; }
    bool HasLoopStatistics() const { return m_haveStatistics; }
    // Cockpit state files (Ctrl+S saves): the file used and what the last
    // restore or save did, as the caption shows it.
    std::string StateFile() const;
    void SaveCockpitState();
    const std::string& GetStateNote() const { return m_stateNote; }
    const RTStatistics& LastStatistics() const { return m_statistics; }

    // Aids for the people who build and check panels. F2 shows or hides the
    // control explorer (hit areas, the control under the pointer with its
    // fields, what the last click changed); F3 opens the list of panels and
    // scrolls to the one chosen.
    static constexpr int kExplorerKey = Qt::Key_F2;
    static constexpr int kPanelJumpKey = Qt::Key_F3;
    void ToggleExplorer();
    bool IsExplorerOn() const;
    const ControlExplorer* Explorer() const { return m_explorer.get(); }
    void OpenPanelJump();
    PanelJumpPopup* PanelJump() const;
    void JumpToPanel(int number);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void StoreMouse(int x, int y);
    void Dispatch();
    bool HandleAidKey(const QKeyEvent& event);
    void DispatchTraced();
    void PaintExplorer(QPainter& painter);
    void Publish();
    void InitialiseView();
    void ReadViewOptions();
    void RefreshWindowRect();
    bool Fail(const char* text, const char* caption);
    bool FailStart(KxBanner& banner, const char* bannerText, const char* caption);
    void ShowWaitingHint(bool waiting);
    void RestoreCockpitState();

    DialogOptions m_options;
    kx::IClock& m_clock;
    QtMessagePump m_pump;

    std::unique_ptr<Gensim_Shm> m_genericShm;
    std::uint8_t* m_generic = nullptr;
    std::unique_ptr<CTrnShm> m_trainingShm;
    std::uint8_t* m_training = nullptr;
    // The cockpit manager holds every panel by value (megabytes of controls):
    // it lives on the heap so that no caller's stack has to carry it.
    std::unique_ptr<CSkylidCkptMngr> m_managerStorage = std::make_unique<CSkylidCkptMngr>();
    CSkylidCkptMngr& m_manager = *m_managerStorage;
    std::unique_ptr<RealTimeLoop> m_loop;
    QImage m_picture;
    std::unique_ptr<CDC> m_dc;
    CBaseDisplay m_display;  // the drawing object of the drawn screens
    Kx_Remember m_updateAllByte;

    char m_errorText[1024] = {};
    char m_bitmapDirectory[1024] = {};
    char m_mainPicture[1024] = {};
    std::string m_caption;
    std::string m_stateNote;  // shown after the caption

    int m_notReady = 1;
    bool m_loopRunning = false;
    bool m_stop = false;
    bool m_closed = false;
    bool m_firstFrame = true;
    std::int32_t m_frameCounter = 0;
    int m_cyclicCounter = 0;
    double m_iterationRate = 20.0;
    bool m_lowCpuWait = false;
    bool m_mcduRefreshOption = false;  // McduRefresh: the host's pages reach the screens

    CPoint m_origin;
    CSize m_pictureSize;
    CPoint m_scroll{605, 5};
    CRect m_windowRect;
    CSize m_visibleSize;
    CRect m_visibleRect;
    // The scrollable area of the picture (the View* options).
    CRect m_viewLimits{605, 5, 1880, 1300};

    MouseEvent m_mouse;
    CPoint m_previousMouse;
    QSet<int> m_keysDown;

    bool m_haveStatistics = false;
    RTStatistics m_statistics{};
    HostWatchdog m_watchdog{m_clock};

    // Made when first switched on: an unused explorer costs nothing.
    std::unique_ptr<ControlExplorer> m_explorer;
    QPointer<PanelJumpPopup> m_panelJump;
};
