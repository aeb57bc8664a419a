#include "app/CSkylidDlg.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>
#include <QWindow>

#include "app/CockpitState.h"
#include "app/ControlExplorer.h"
#include "app/PanelJump.h"
#include "banner/KxBanner.h"
#include "config/CIniRead.h"
#include "controls/CPanelMouse.h"
#include "platform/CBitmapFile.h"
#include "platform/KxSystem.h"
#include "shm/GenericLayout.h"
#include "units/FcuLayout.h"
#include "util/KxText.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The required-items mask of the initialisation file: the main picture and
// the cockpit bitmap folder.
constexpr int kRequiredItems = 5;

// Where a drag ends: within 10 pixels of the edges of the picture area,
// whatever the window's size.
constexpr int kDragEdge = 10;
constexpr int kScrollStepPixels = 20;
// The first view: the overhead panel's upper left part (then kept inside the
// View options' area).
constexpr int kInitialScrollX = 605;
constexpr int kInitialScrollY = 5;

// Limits of the visible rectangle handed to the cockpit manager.
constexpr int kMaxPictureX = 100000;
constexpr int kMaxPictureY = 10000;

}  // namespace

CSkylidDlg::CSkylidDlg(const DialogOptions& options)
    : m_options(options), m_clock(options.clock ? *options.clock : kx::SteadyClock::Instance()) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // nothing painted keeps what is shown
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(1120, 742);
    kx::StrCopy(m_errorText, kInitialisationOk);
    m_watchdog.SetEnabled(options.hostWatchdog);
}

CSkylidDlg::~CSkylidDlg() {
    ShutDown();
}

// A start-up failure. The box runs an event loop of its own, in which the
// window may be closed (its close button, or SIGTERM); that releases the
// segments, so nothing may touch them after the box: it is always the last
// step, and the caller returns false at once.
bool CSkylidDlg::Fail(const char* text, const char* caption) {
    if (text != m_errorText)
        kx::StrCopy(m_errorText, text);
    m_notReady = 1;
    kx::MessageBox(m_errorText, caption);
    return false;
}

// The same once the banner runs: the banner shows the text first.
bool CSkylidDlg::FailStart(KxBanner& banner, const char* bannerText, const char* caption) {
    banner.SetMessage(bannerText);
    banner.SetFailure();
    return Fail(m_errorText, caption);
}

void CSkylidDlg::ShowWaitingHint(bool waiting) {
    std::string title = m_caption;
    if (waiting)
        title += "  - click in the window to start";
    if (m_watchdog.IsSilent())
        title += kHostSilentCaption;
    title += m_stateNote;
    setWindowTitle(QString::fromStdString(title));
}

bool CSkylidDlg::InitialiseDialog() {
    // 1. Reset.
    m_notReady = 1;
    m_frameCounter = 0;
    m_cyclicCounter = 0;
    m_closed = false;
    m_firstFrame = true;
    m_stop = false;
    m_loop.reset();
    kx::StrCopy(m_errorText, kInitialisationOk);

    // 2. The generic segment, then the training segment.
    m_genericShm = std::make_unique<Gensim_Shm>(m_options.genericSegment.c_str());
    if (!m_genericShm->IsValid()) {
        m_generic = nullptr;
        return Fail(m_genericShm->GetErrorText(), "CSkylidDlg::InitialiseDialog");
    }
    // One cockpit per segment: two would overwrite each other's inputs. The
    // lock is the cockpit's own; the host does not take it.
    std::string holder;
    if (!m_genericShm->LockExclusive(holder)) {
        kx::Format(m_errorText, sizeof m_errorText,
                   "CSkylidDlg::InitialiseDialog\nAnother cockpit already uses segment %s: %s.\n"
                   "Close it first, or start this one on other segments with --segment NAME",
                   m_options.genericSegment.c_str(), holder.c_str());
        return Fail(m_errorText, "CSkylidDlg::InitialiseDialog");
    }
    m_generic = m_genericShm->Content();
    m_trainingShm = std::make_unique<CTrnShm>(m_options.trainingSegment.c_str());
    if (!m_trainingShm->IsValid()) {
        m_generic = nullptr;
        m_training = nullptr;
        return Fail(m_trainingShm->GetErrorText(), "CSkylidDlg::InitialiseDialog");
    }
    m_training = m_trainingShm->Content();

    // 3. The start-up banner.
    const bool customSegment = m_options.genericSegment != Gensim_Shm::kName;
    CIniRead::ReadBannerProgram(m_options.iniFile.c_str());
    auto banner = std::make_unique<KxBanner>(
        m_generic, customSegment ? m_options.genericSegment.c_str() : nullptr);
    banner->Start();
    banner->SetHeading(kVersionLabel);
    banner->SetProgress(5);

    // 4. The caption.
    m_caption = std::string(kVersionLabel) + " [" + m_genericShm->GetVersionText() + " ]";
    setWindowTitle(QString::fromStdString(m_caption));

    // 5. The drawing object of the drawn screens (a member, with its pens and
    // brushes); it is bound to the off-screen picture once that is loaded.
    banner->AddProgress(5);

    // 6. The drawing origin: right of the small black frame, below the border.
    m_origin = CPoint(kFrameWidth + 2, kBorderHeight + 2);

    // 7. The initialisation file. Its failure is what stops start-up at
    // the picture, and its own text says why.
    bool iniRead = false;
    char iniCause[256] = {};
    {
        CIniRead ini(m_generic, m_options.iniFile.c_str());
        iniRead = ini.ReadIniFile(kRequiredItems);
        if (iniRead) {
            kx::StrCopy(m_mainPicture, ini.GetMainPicture());
            generic::kCockpitBitmapPath.Read(m_generic, m_bitmapDirectory,
                                             sizeof m_bitmapDirectory);
        } else {
            kx::StrCopy(iniCause, ini.GetErrorText());
        }
    }
    ReadViewOptions();
    banner->AddProgress(10);

    // 8, 9. The off-screen picture of the whole cockpit.
    if (!iniRead) {
        kx::Format(m_errorText, sizeof m_errorText,
                   "CIniRead::ReadIniFile\nThe initialisation file %s cannot be used:\n%s",
                   m_options.iniFile.c_str(), iniCause);
        return FailStart(*banner, m_errorText, "CSkylidDlg::InitialiseDialog");
    }
    if (!LoadPicture(m_mainPicture)) {
        char message[1024];
        kx::Format(message, sizeof message, "Unable tp load main picture\n%s", m_errorText);
        return FailStart(*banner, message, "THE_CLASS_DEF::UpdateDisplay");
    }

    // 10.
    m_iterationRate = 20.0;
    banner->AddProgress(10);

    // 11, 12. The panels.
    CBasePanel::SetSharedMemory(m_generic);
    m_manager.SetSharedMemory(m_generic);
    m_manager.ClearMcduRefresh();
    if (m_mcduRefreshOption)
        m_manager.SetMcduRefresh(true);
    m_manager.SetMcduDisplay(&m_display, banner.get());
    if (!m_manager.Initialise(m_bitmapDirectory)) {
        kx::Format(m_errorText, sizeof m_errorText, "%s%s", m_manager.GetErrorText(),
                   m_manager.GetFailureDetail());
        return FailStart(*banner, m_errorText, "CSkylidDlg::InitialiseDialog");
    }

    // 13.
    m_manager.SetRemoteHoldAll(false);
    RestoreCockpitState();
    banner->AddProgress(10);

    // 14. The real-time loop.
    m_loop =
        std::make_unique<RealTimeLoop>(this, static_cast<int>(m_iterationRate), m_clock, &m_pump);
    m_loop->SetWaitMode(m_lowCpuWait ? RTLoop::WaitMode::LowCpu : RTLoop::WaitMode::Busy);
    banner->AddProgress(10);

    // 15. The initial view.
    InitialiseView();
    banner->AddProgress(10);

    // 16. Navigation data: nothing to load yet, which counts as success.
    banner->SetSuccess();

    // 17.
    m_notReady = 0;
    ShowWaitingHint(true);
    return true;
}

// The options of the initialisation file that belong to the window.
void CSkylidDlg::ReadViewOptions() {
    Ini_File_Reader ini;
    if (!ini.OpenFile(m_options.iniFile.c_str()))
        return;
    int value = 0;
    if (ini.GetInt("OPTIONS", "ViewLeft", value))
        m_viewLimits.left = value;
    if (ini.GetInt("OPTIONS", "ViewTop", value))
        m_viewLimits.top = value;
    if (ini.GetInt("OPTIONS", "ViewRight", value))
        m_viewLimits.right = value;
    if (ini.GetInt("OPTIONS", "ViewBottom", value))
        m_viewLimits.bottom = value;
    bool flag = false;
    if (ini.GetBool("OPTIONS", "LowCpuWait", flag))
        m_lowCpuWait = flag;
    if (ini.GetBool("OPTIONS", "UpdateAllVisible", flag))
        m_manager.SetUpdateAllVisible(flag);
    if (ini.GetBool("OPTIONS", "McduRefresh", flag))
        m_mcduRefreshOption = flag;
    if (ini.GetBool("OPTIONS", "HostWatchdog", flag))
        m_watchdog.SetEnabled(m_options.hostWatchdog && flag);
    ini.CloseFile();
}

bool CSkylidDlg::LoadPicture(const char* file) {
    if (!m_picture.isNull())
        return true;  // loaded once
    CBitmapFile bitmap;
    if (!bitmap.Load(file)) {
        // The path as found on disk (slashes, letter case), else as given.
        kx::Format(m_errorText, sizeof m_errorText, "THE_CLASS_DEF::LoadPicture\n%s\n%s",
                   bitmap.Path().empty() ? (file ? file : "") : bitmap.Path().c_str(),
                   bitmap.GetReason().c_str());
        return false;
    }
    m_picture = bitmap.Image()->copy();
    m_dc = std::make_unique<CDC>(m_picture);
    m_display.SetDrawingSurface(m_dc.get());
    m_pictureSize = CSize(m_picture.width(), m_picture.height());
    CPanelMouse::SetPictureSize(m_pictureSize.cx, m_pictureSize.cy);
    return true;
}

void CSkylidDlg::InitialiseView() {
    RefreshWindowRect();
    m_scroll = CPoint(kInitialScrollX, kInitialScrollY);
    m_visibleSize = CSize(m_windowRect.Width() - m_origin.x, m_windowRect.Height() - m_origin.y);
    ClampScroll();
    Publish();
}

void CSkylidDlg::RefreshWindowRect() {
    m_windowRect = CRect(0, 0, width(), height());
}

// The loop runs inside the click that started it; a close handled by its
// own pumping stops it, and it is deleted here once Run has returned.
void CSkylidDlg::StartRealTime() {
    if (m_stop)
        return;  // closing has begun
    if (!m_loop) {
        kx::StopBox("RT Loop Object is NULL", "CSkylidDlg::StartRealTime");
        return;
    }
    ShowWaitingHint(false);
    m_loopRunning = true;
    m_loop->Start();
    m_loop->Run();
    m_loopRunning = false;
    m_loop->GetStatistics(m_statistics);
    m_haveStatistics = true;
    m_loop.reset();
    m_watchdog.Reset();
}

void CSkylidDlg::FrameUpdate() {
    if (m_stop)
        return;
    ++m_frameCounter;
    generic::kFrameCounter.Write(m_generic, m_frameCounter);
    CBaseCockpitControl::SetIteration(m_frameCounter);
    if (m_watchdog.Observe(fcu::kHostTime.Read(m_generic)))
        ShowWaitingHint(false);
    if (m_firstFrame) {
        m_firstFrame = false;
        return;
    }
    if (m_frameCounter < 20)
        return;  // panels start one second after the loop

    PollKeyboard();
    UpdateViewPort();
    if (IsExplorerOn())
        m_explorer->AfterFrame(m_generic);

    m_updateAllByte.SetInt(generic::kUpdateAll.Read(m_generic));
    if (m_updateAllByte.BecameSet())
        m_manager.UpdateAll();

    ++m_cyclicCounter;
    if (m_cyclicCounter == 11 &&
        (m_mouse.code == MouseEvent::kWheelToward || m_mouse.code == MouseEvent::kWheelAway)) {
        m_mouse.code = MouseEvent::kNone;
    }
    if (m_cyclicCounter == 1)
        RefreshWindowRect();
    if (m_cyclicCounter > 20)
        m_cyclicCounter = 0;
}

void CSkylidDlg::InvalidatePicture() {
    update(m_origin.x, m_origin.y, m_windowRect.right - m_origin.x,
           m_windowRect.bottom - m_origin.y);
}

void CSkylidDlg::UpdateViewPort() {
    m_visibleSize = CSize(m_windowRect.Width() - m_origin.x, m_windowRect.Height() - m_origin.y);
    m_visibleRect.left = kx::Limit(m_scroll.x, 0, kMaxPictureX);
    m_visibleRect.right = kx::Limit(m_scroll.x + m_visibleSize.cx, 0, kMaxPictureX);
    m_visibleRect.top = kx::Limit(m_scroll.y, 0, kMaxPictureY);
    m_visibleRect.bottom = kx::Limit(m_scroll.y + m_visibleSize.cy, 0, kMaxPictureY);
    m_manager.UpdateVisible(m_visibleRect.left, m_visibleRect.top, m_visibleRect.right,
                            m_visibleRect.bottom, &m_mouse);
}

void CSkylidDlg::ScrollStep(Direction direction) {
    switch (direction) {
        case kLeft:
            m_scroll.x -= kScrollStepPixels;
            break;
        case kRight:
            m_scroll.x += kScrollStepPixels;
            break;
        case kUp:
            m_scroll.y -= kScrollStepPixels;
            break;
        case kDown:
            m_scroll.y += kScrollStepPixels;
            break;
        case kNone:
            break;
    }
    ClampScroll();
    Publish();
}

void CSkylidDlg::ScrollBy(int dx, int dy) {
    m_scroll.x += dx;
    m_scroll.y += dy;
    ClampScroll();
    Publish();
}

// The scrollable area runs from the View options' left and top to their right
// and bottom; a window larger than the area stays at 0, because the upper
// limit wins over the lower one.
void CSkylidDlg::ClampScroll() {
    const int windowWidth = m_windowRect.Width();
    const int windowHeight = m_windowRect.Height();
    const int maxY = windowHeight < m_viewLimits.bottom ? m_viewLimits.bottom - windowHeight : 0;
    const int maxX =
        windowWidth < m_viewLimits.right ? m_viewLimits.right - windowWidth + m_origin.x : 0;
    if (m_scroll.y < m_viewLimits.top)
        m_scroll.y = m_viewLimits.top;
    if (m_scroll.y > maxY)
        m_scroll.y = maxY;
    if (m_scroll.x < m_viewLimits.left)
        m_scroll.x = m_viewLimits.left;
    if (m_scroll.x > maxX)
        m_scroll.x = maxX;
}

void CSkylidDlg::Publish() {
    CPanelMouse::SetScroll(m_scroll.x, m_scroll.y);
    CPanelMouse::SetMousePoint(m_mouse.x, m_mouse.y);
}

void CSkylidDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_notReady != 0)
        return;
    RefreshWindowRect();
    ClampScroll();
    Publish();
}

void CSkylidDlg::PollKeyboard() {
    if (!isVisible() || isMinimized())
        return;
    if (!isActiveWindow())
        return;
    Direction direction = kNone;
    if (m_keysDown.contains(Qt::Key_Up))
        direction = kUp;
    if (m_keysDown.contains(Qt::Key_Down))
        direction = kDown;
    if (m_keysDown.contains(Qt::Key_Left))
        direction = kLeft;
    if (m_keysDown.contains(Qt::Key_Right))
        direction = kRight;
    ScrollStep(direction);
    if (m_keysDown.contains(Qt::Key_PageDown))
        m_mouse.code = MouseEvent::kWheelAway;
    if (m_keysDown.contains(Qt::Key_PageUp))
        m_mouse.code = MouseEvent::kWheelToward;
    if (m_keysDown.contains(Qt::Key_Home))
        m_mouse.code = MouseEvent::kRightPress;
}

void CSkylidDlg::ShutDown() {
    m_stop = true;
    if (m_loop)
        m_loop->Stop();
    if (m_closed)
        return;
    m_closed = true;
    // A loop that is running is deleted by StartRealTime when Run returns;
    // the frame counter cannot tell (a close may be handled before the first
    // iteration).
    if (!m_loopRunning)
        m_loop.reset();
    // The generic segment first, then the training segment.
    CBasePanel::SetSharedMemory(nullptr);
    m_manager.SetSharedMemory(nullptr);
    m_generic = nullptr;
    m_genericShm.reset();
    m_training = nullptr;
    m_trainingShm.reset();
    m_display.SetDrawingSurface(nullptr);
    m_dc.reset();
    m_picture = QImage();
}

// Input -----------------------------------------------------------------

void CSkylidDlg::StoreMouse(int x, int y) {
    m_mouse.x = x - m_origin.x;
    m_mouse.y = y - m_origin.y;
}

// The controls find the point of this very message through CPanelMouse, so
// it is published before the panels see the event.
void CSkylidDlg::Dispatch() {
    if (m_notReady != 0)
        return;
    Publish();
    m_manager.OnMouse(CPoint(m_scroll.x + m_mouse.x, m_scroll.y + m_mouse.y));
}

void CSkylidDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_mouse.code = MouseEvent::kLeftPress;
        StoreMouse(p.x(), p.y());
        m_previousMouse = CPoint(p.x(), p.y());
        DispatchTraced();
        if (m_notReady == 0 && m_frameCounter == 0)
            StartRealTime();
    } else if (event->button() == Qt::RightButton) {
        m_mouse.code = MouseEvent::kRightPress;
        StoreMouse(p.x(), p.y());
        DispatchTraced();
    }
}

void CSkylidDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        m_mouse.code = MouseEvent::kNone;
        Dispatch();
    }
}

void CSkylidDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        m_mouse.code = MouseEvent::kLeftDoubleClick;
        StoreMouse(p.x(), p.y());
    }
}

// Only a vertical turn counts; a horizontal wheel or a sideways touchpad
// scroll would otherwise turn the knob under the pointer.
void CSkylidDlg::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    event->accept();
    if (delta.y() == 0 || std::abs(delta.x()) > std::abs(delta.y()))
        return;
    m_mouse.code = delta.y() >= 0 ? MouseEvent::kWheelAway : MouseEvent::kWheelToward;
}

void CSkylidDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_mouse.code == MouseEvent::kWheelToward || m_mouse.code == MouseEvent::kWheelAway) {
        return;
    }
    const QPoint p = event->position().toPoint();
    StoreMouse(p.x(), p.y());
    if (m_mouse.code == MouseEvent::kLeftPress) {
        if (m_mouse.x < kDragEdge || m_mouse.y < kDragEdge ||
            m_mouse.x > width() - m_origin.x - kDragEdge ||
            m_mouse.y > height() - m_origin.y - kDragEdge) {
            m_mouse.code = MouseEvent::kNone;
        }
        ScrollBy(m_previousMouse.x - p.x(), m_previousMouse.y - p.y());
    } else {
        m_mouse.code = MouseEvent::kNone;
    }
    m_previousMouse = CPoint(p.x(), p.y());
    Dispatch();
    if (IsExplorerOn())
        update();  // the control under the pointer, also before the loop runs
}

void CSkylidDlg::keyPressEvent(QKeyEvent* event) {
    if (HandleAidKey(*event))
        return;
    if (event->key() == Qt::Key_S && event->modifiers() == Qt::ControlModifier) {
        if (!event->isAutoRepeat())
            SaveCockpitState();
        return;
    }
    if (!event->isAutoRepeat())
        m_keysDown.insert(event->key());
}

void CSkylidDlg::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        m_keysDown.remove(event->key());
}

// A key released while another window has the focus never reaches this one:
// forget every held key when the focus goes, or the view would keep
// scrolling when the window comes back.
void CSkylidDlg::focusOutEvent(QFocusEvent* event) {
    m_keysDown.clear();
    QWidget::focusOutEvent(event);
}

void CSkylidDlg::hideEvent(QHideEvent* event) {
    m_keysDown.clear();
    QWidget::hideEvent(event);
}

void CSkylidDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        m_keysDown.clear();
    QWidget::changeEvent(event);
}

void CSkylidDlg::closeEvent(QCloseEvent* event) {
    ShutDown();
    event->accept();
}

// Painting --------------------------------------------------------------

void CSkylidDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_notReady != 0 || m_generic == nullptr) {
        painter.fillRect(rect(), palette().window());
        painter.fillRect(QRect(0, 0, kFrameWidth, kFrameHeight), Qt::black);
        return;
    }
    if (generic::kRedrawSuspended.Read(m_generic) != 0)
        return;  // the host froze it
    m_display.SetDrawingSurface(m_dc.get());
    m_manager.Draw(m_dc.get());
    // The picture from the scroll position on; everything around it (the
    // margins and, in a large window, the area past the picture's end) is
    // painted too, or it would show whatever was there before.
    const QRect shown(m_origin.x, m_origin.y, m_picture.width() - m_scroll.x,
                      m_picture.height() - m_scroll.y);
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(shown)));
    painter.fillRect(rect(), palette().window());
    painter.setClipping(false);
    painter.fillRect(QRect(0, 0, kFrameWidth, kFrameHeight), Qt::black);
    painter.drawImage(QPoint(m_origin.x, m_origin.y), m_picture,
                      QRect(m_scroll.x, m_scroll.y, m_picture.width(), m_picture.height()));
    if (IsExplorerOn())
        PaintExplorer(painter);
    if (m_watchdog.IsSilent()) {
        const QRect band(m_origin.x, m_origin.y, width() - m_origin.x, kHostSilentBannerHeight);
        painter.fillRect(band, QColor(160, 0, 0));
        painter.setPen(Qt::white);
        painter.drawText(band, Qt::AlignCenter, QString::fromLatin1(kHostSilentBanner));
    }
}

std::string CSkylidDlg::StateFile() const {
    return m_options.stateFile.empty() ? cockpitstate::kDefaultFile : m_options.stateFile;
}

// The --state file, once the panels are initialised and before the loop
// starts: the panels publish the restored cockpit from here on. A bad line
// costs only that line; each goes to the standard error, the count to the
// caption.
void CSkylidDlg::RestoreCockpitState() {
    if (m_options.stateFile.empty())
        return;
    const std::string& path = m_options.stateFile;
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        m_stateNote = "  - no cockpit state in " + path + " yet (Ctrl+S saves it there)";
        std::fprintf(stderr, "skylid: %s\n", m_stateNote.c_str() + 4);
        return;
    }
    const cockpitstate::Result result = cockpitstate::Restore(m_manager, m_generic, path);
    for (const std::string& problem : result.problems)
        std::fprintf(stderr, "skylid: %s, %s\n", path.c_str(), problem.c_str());
    m_stateNote = "  - " + result.Summary(cockpitstate::Result::Action::Restored, path);
    std::fprintf(stderr, "skylid: %s\n", m_stateNote.c_str() + 4);
}

void CSkylidDlg::SaveCockpitState() {
    if (!IsReady())
        return;
    const std::string path = StateFile();
    const cockpitstate::Result result = cockpitstate::Save(m_manager, m_generic, path);
    const QString shown = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    m_stateNote = "  - " + result.Summary(cockpitstate::Result::Action::Saved, shown.toStdString());
    std::fprintf(stderr, "skylid: %s\n", m_stateNote.c_str() + 4);
    ShowWaitingHint(!m_loopRunning);
}
