#include "app/ui/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>

#include "app/ui/AboutDialogs.h"
#include "app/ui/SettingsSheet.h"
#include "session/AppContext.h"
#include "session/ExitConfirmation.h"
#include "wave/ui/WaveformCommands.h"
#include "wave/ui/waveform.h"
#include "widgets/CommandIcons.h"
#include "widgets/HelpWindow.h"
#include "widgets/ShortcutsDialog.h"
#include "widgets/Commands.h"
#include "widgets/ToolbarCustomizeDialog.h"
#include "widgets/WindowTiling.h"
#include "widgets/ZelStatusBar.h"
#include "widgets/ZelToolbar.h"

namespace zel {
namespace {

// The permanent windows live as long as the frame: closing one only minimises it.
class KeepOpenFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Close) return false;
        event->ignore();
        static_cast<QMdiSubWindow*>(watched)->showMinimized();
        return true;
    }
};

QFont ToQFont(const LabelFont& f) {
    QFont font(QString::fromStdString(f.faceName));
    if (f.height != 0) font.setPixelSize(std::abs(f.height));
    if (f.weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    return font;
}

LabelFont FromQFont(const QFont& font, LabelFont f) {
    f.faceName = font.family().toStdString();
    // A negative height asks for the character height, as the font dialog means it.
    f.height =
        font.pixelSize() > 0 ? -font.pixelSize() : -static_cast<int>(font.pointSizeF() * 96 / 72 + 0.5);
    f.weight = font.weight();
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    return f;
}

}  // namespace

CMainFrame::CMainFrame(AppContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setWindowTitle(qtTrId("Система обработки сейсмических данных"));
    setObjectName("CMainFrame");
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry().adjusted(10, 10, -10, -10));
    mdi_ = new QMdiArea(this);
    mdi_->setBackground(QColor(128, 128, 128));
    setCentralWidget(mdi_);
    createActions();
    createToolbars();
    createMenus();
    createStatusBar();
    createChildren();
    createWaveformCommands();
}

void CMainFrame::createWaveformCommands() {
    bind(cmd::kRedrawPanes, this, [this] { waveforms_->reloadAll(); });
    bind(cmd::kFitAllPanes, this, [this] { waveforms_->fitAll(); });
    bindToggle(cmd::kDrawWaveforms, this, [this](bool on) { waveforms_->setDrawWaveforms(on); })->setChecked(true);
    bindToggle(cmd::kAcquisitionMarks, this, [this](bool on) { waveforms_->setAcquisitionMarks(on); });
    bindToggle(cmd::kDatabasePhases, this, [this](bool on) { waveforms_->setDatabasePhases(on); });
    bindToggle(cmd::kCommonCursor, this, [this](bool on) {
        waveforms_->commonCursorOn = on;
        if (!on) waveforms_->commonCursor(-1);
    });
    CreateNavigationCommands(*this, *waveforms_);
    // Plain keys belong to the panes: elsewhere they stay the keys of the text being typed.
    for (const cmd::Command& c : cmd::AllCommands())
        if (cmd::IsPaneKey(c)) {
            QAction* a = action(c.id);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            waveforms_->addAction(a);
        }
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::action(int id) {
    if (auto it = actions_.find(id); it != actions_.end()) return it->second;
    auto* a = new QAction(CommandIcon(id), QString::fromStdString(cmd::CommandText(id)), this);
    a->setData(id);
    a->setStatusTip(a->text());
    a->setToolTip(a->text());
    a->setEnabled(false);
    if (const cmd::Command* c = cmd::Find(id); c && *c->shortcut)
        a->setShortcut(QKeySequence(QString::fromUtf8(c->shortcut)));
    if (!cmd::DropDownCommands(id).empty()) a->setMenu(dropDownMenu(id));
    actions_.emplace(id, a);
    return a;
}

QMenu* CMainFrame::menu(cmd::Menu which) {
    const auto it = menus_.find(which);
    return it == menus_.end() ? nullptr : it->second;
}

void CMainFrame::showStatusMessage(const QString& text) {
    if (text.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text);
}

QMenu* CMainFrame::dropDownMenu(int id) {
    QString title = QString::fromStdString(cmd::CommandText(id));
    if (id == cmd::kAmplitudePeriod) title = qtTrId("Расчет периода(с) и амплитуды(мкм.) ");
    auto* menu = new QMenu(title, this);
    for (int item : cmd::DropDownCommands(id)) {
        if (item != id) {
            menu->addAction(action(item));
            continue;
        }
        // The command itself, as the first entry of its own menu.
        QAction* self = menu->addAction(QString::fromStdString(cmd::CommandText(id)));
        connect(self, &QAction::triggered, this, [this, id] { action(id)->trigger(); });
    }
    return menu;
}

void CMainFrame::createActions() {
    bind(cmd::kShowWaveforms, this, [this] { activateChild(kWaveforms, true); });
    bind(cmd::kShowPhaseList, this, [this] { activateChild(kPhaseList, true); });
    bind(cmd::kShowDsp, this, [this] { activateChild(kDsp, true); });
    bind(cmd::kShowMap, this, [this] { activateChild(kMap, true); });
    bind(cmd::kCascade, this, [this] { mdi_->cascadeSubWindows(); });
    bind(cmd::kTileHorizontally, this, [this] { tileHorizontally(); });
    bind(cmd::kTileVertically, this, [this] { tileVertically(); });
    bind(cmd::kFont, this, [this] { chooseFont(); });
    bind(cmd::kSettings, this, [this] { openSettingsSheet(); });
    bind(cmd::kReconnect, this, [this] { ReconnectCommand(context_.databases(), context_.messages()); });
    bind(cmd::kExit, this, [this] { close(); });
    bind(cmd::kAbout, this, [this] { ShowAboutDlg(this); });
    bind(cmd::kZelVersion, this, [this] { ShowZelAbout(this); });
    bind(cmd::kShortcutsHelp, this, [this] { ShowShortcuts(this); });
    bind(cmd::kHelpContents, this, [this] { showHelpForActiveWindow(); });
    bind(cmd::kUndoPicks, this, [this] {
        if (!context_.session().undoPicks()) QApplication::beep();
    });
    bind(cmd::kRedoPicks, this, [this] {
        if (!context_.session().redoPicks()) QApplication::beep();
    });
    bind(cmd::kCustomizeToolbar, this, [this] { customizeToolbar("WAVEFORMS"); });
    action(cmd::kExit)->setIcon(QIcon());
}

void CMainFrame::createMenus() {
    QMenuBar* bar = menuBar();
    auto addMenu = [&](cmd::Menu which, std::initializer_list<int> ids, int childToActivate) {
        QMenu* menu = bar->addMenu(cmd::MenuTitle(which));
        menus_[which] = menu;
        for (int id : ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(action(id));
        }
        // Opening a window's menu brings that window forward first.
        if (childToActivate >= 0)
            connect(menu, &QMenu::aboutToShow, this,
                    [this, childToActivate] { activateChild(static_cast<Child>(childToActivate), false); });
        return menu;
    };
    addMenu(cmd::Menu::Functions,
            {cmd::kFont, cmd::kSettings, 0, cmd::kEditNetworks, cmd::kEditDirsMap,
             cmd::kEditControlledRegions, 0, cmd::kConnectArchive, cmd::kImportStationXml, 0, cmd::kReconnect,
             cmd::kShowOrigins, 0, cmd::kExit},
            kWaveforms);
    // The waveform window's whole command table; commands not built yet stay disabled.
    fillMenu(*addMenu(cmd::Menu::Waveforms, {}, kWaveforms), cmd::WaveformMenu());
    addMenu(cmd::Menu::PhaseList, {cmd::kUndoPicks, cmd::kRedoPicks, 0, cmd::kClearPhaseList}, kPhaseList);
    QMenu* dspMenu = addMenu(cmd::Menu::Dsp, {}, kDsp);
    for (int id : cmd::DspWorkspaceCommands()) {
        if (id == 0)
            dspMenu->addSeparator();
        else
            dspMenu->addAction(action(id));
    }
    dspMenu->addAction(action(cmd::kShowParticleMotion));
    addMenu(cmd::Menu::Map, {cmd::kShowMap}, kMap);
    addMenu(cmd::Menu::Window,
            {cmd::kCascade, cmd::kTileHorizontally, cmd::kTileVertically, 0, cmd::kShowWaveforms,
             cmd::kShowPhaseList, cmd::kShowDsp, cmd::kShowMap},
            -1);
    addMenu(cmd::Menu::Help, {cmd::kHelpContents, cmd::kShortcutsHelp, 0, cmd::kAbout}, -1);
}

void CMainFrame::fillMenu(QMenu& menu, const std::vector<cmd::MenuItem>& items) {
    for (const cmd::MenuItem& item : items) {
        if (item.title)
            fillMenu(*menu.addMenu(qtTrId(item.title)), item.items);
        else if (item.id == 0)
            menu.addSeparator();
        else
            menu.addAction(action(item.id));
    }
}

void CMainFrame::createToolbars() {
    const std::pair<const char*, const char*> names[] = {
        {"WAVEFORMS", QT_TRID_NOOP("Волновые формы")},
        {"MAP", QT_TRID_NOOP("Карта")},
        {"PHASELIST", QT_TRID_NOOP("Список фаз")},
        {"DSP", QT_TRID_NOOP("ПОС")}};
    for (auto [name, title] : names) {
        auto* toolbar = new CZELToolbar(
            name, qtTrId(title), [this](int id) { return action(id); }, this);
        toolbar->load(context_.registry());
        addToolBar(Qt::TopToolBarArea, toolbar);
        toolbars_.push_back(toolbar);
    }
    toolbar("PHASELIST")->hide();
    toolbar("DSP")->hide();

    groupCombo_ = new QComboBox(this);
    groupCombo_->setObjectName("GroupCombo33180");
    groupCombo_->setFixedWidth(200);
    toolbar("MAP")->setTrailingWidget(groupCombo_);
}

CZELToolbar* CMainFrame::toolbar(const std::string& name) const {
    for (CZELToolbar* t : toolbars_)
        if (t->name() == name) return t;
    return nullptr;
}

void CMainFrame::createStatusBar() {
    statusBar_ = new CZELStatusBar(this);
    setStatusBar(statusBar_);
    for (int id : {cmd::kTileHorizontally, cmd::kTileVertically, cmd::kCascade, cmd::kShowWaveforms,
                   cmd::kShowPhaseList, cmd::kShowDsp, cmd::kShowMap})
        statusBar_->addWindowButton(action(id));
}

void CMainFrame::createChildren() {
    auto* keepOpen = new KeepOpenFilter(this);
    const std::pair<Child, const char*> children[] = {{kMap, QT_TRID_NOOP("Карта")},
                                                      {kWaveforms, QT_TRID_NOOP("Волновые формы")},
                                                      {kPhaseList, QT_TRID_NOOP("Список фаз")},
                                                      {kDsp, QT_TRID_NOOP("Процессор обработки сигналов")}};
    for (auto [which, title] : children) {
        QWidget* content;
        if (which == kWaveforms) {
            content = waveforms_ = new waveform(context_);
        } else {
            content = new QWidget;
            content->setAutoFillBackground(true);
            content->setPalette(QPalette(Qt::white));
        }
        QMdiSubWindow* sub = mdi_->addSubWindow(content);
        sub->setWindowTitle(qtTrId(title));
        sub->setWindowIcon(CommandIcon(which == kMap         ? cmd::kShowMap
                                       : which == kWaveforms ? cmd::kShowWaveforms
                                       : which == kPhaseList ? cmd::kShowPhaseList
                                                             : cmd::kShowDsp));
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->installEventFilter(keepOpen);
        sub->show();
        children_[which] = sub;
    }
}

void CMainFrame::showHelpForActiveWindow() {
    const QMdiSubWindow* active = mdi_->activeSubWindow();
    const QString page = active == children_[kWaveforms]   ? "road.html#waveforms"
                         : active == children_[kPhaseList] ? "road.html#phases"
                         : active == children_[kDsp]       ? "zel:formulas"
                         : active == children_[kMap]       ? "road.html#map"
                                                           : "index.html";
    const QString folder = QString::fromStdString(context_.paths().resources) + "/help";
    const QString zelbatch = QString::fromStdString(context_.paths().executableDir) + "/zelbatch";
    ShowHelp(help_, this, folder, zelbatch, page);
}

void CMainFrame::setChildWidget(Child which, QWidget* content) {
    QMdiSubWindow* sub = children_[which];
    QWidget* old = sub->widget();
    sub->setWidget(content);
    // The sub-window only lets its old content go; nothing else owns it.
    delete old;
}

void CMainFrame::activateChild(Child which, bool maximize) {
    QMdiSubWindow* sub = children_[which];
    if (!sub) return;
    if (maximize)
        sub->showMaximized();
    else if (sub->isMinimized())
        sub->showNormal();
    mdi_->setActiveSubWindow(sub);
}

void CMainFrame::tile(bool horizontal) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (sub->isVisible() && !sub->isMinimized()) windows.push_back(sub);
    for (QMdiSubWindow* sub : windows)
        if (sub->isMaximized()) sub->showNormal();
    const QRect area = mdi_->viewport()->rect();
    auto rects = TileRects(static_cast<int>(windows.size()),
                           {area.x(), area.y(), area.width(), area.height()}, horizontal);
    for (int i = 0; i < windows.size(); ++i)
        windows[i]->setGeometry(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
}

void CMainFrame::tileHorizontally() { tile(true); }
void CMainFrame::tileVertically() { tile(false); }

void CMainFrame::customizeToolbar(const std::string& name) {
    CZELToolbar* t = toolbar(name);
    if (!t) return;
    ToolbarCustomizeDialog dialog(*t, context_.registry(), this);
    dialog.exec();
    SaveToolbarLayout(context_.registry(), name, t->layout());
}

void CMainFrame::chooseFont() {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, ToQFont(context_.settings().font), this, qtTrId("Шрифт"));
    if (!ok) return;
    context_.settings().font = FromQFont(chosen, context_.settings().font);
    SaveFont(context_.ini(), context_.settings().font);
    for (QMdiSubWindow* sub : mdi_->subWindowList()) sub->widget()->update();
}

void CMainFrame::openSettingsSheet() {
    SettingsSheet sheet(context_, this);
    sheet.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const Session& session = context_.session();
    if (!ConfirmExit(session.phases().Empty() || !session.picksUnsaved(), context_.messages(), savePhaseList)) {
        event->ignore();
        return;
    }
    waveforms_->saveLastSession();
    event->accept();
}

}  // namespace zel
