#include "shell/mainwindow.h"
#include "link/backups.h"
#include "core/appstate.h"
#include "core/apppaths.h"
#include "core/langtexts.h"
#include "core/settings.h"
#include "core/showmsg.h"
#include "core/startup.h"
#include "editors/modeldialog.h"
#include "editors/portdialog.h"
#include "editors/readdialog.h"
#include "editors/writedialog.h"
#include "image/models.h"
#include "link/serialports.h"
#include "shell/aboutbox.h"
#include "shell/interchangecommands.h"
#include "shell/languagedialog.h"
#include "shell/printreport.h"
#include "shell/translateform.h"
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

TfMainFrm *theMainWindow = nullptr;

QMap<int, TfMainFrm::ChildFactory> &childFactories()
{
    static QMap<int, TfMainFrm::ChildFactory> factories;
    return factories;
}

// Tree nodes: the menu item whose hint names the node, and the command it runs.
const struct TreeNode
{
    const char *menuItem;
    int code;
} TreeNodes[] = {
    {"nInfo", cmd::RadioInformation}, {"nFreq", cmd::FreqChannel}, {"nChInfo", cmd::MemoryChannel},
    {"nFm", cmd::FmInformation},      {"nVox", cmd::VoxFunction},  {"nScan", cmd::ScanInformation},
    {"nOpt", cmd::OptionalFunction},  {"nKey", cmd::KeyFunction},
};

const int PanelWidths[] = {50, 80, 120, 120, 120, 180, 100};

constexpr int CodeRole = Qt::UserRole;

// A child frame's system menu closes it with Ctrl+W as well as Ctrl+F4; Ctrl+W is
// "Write To Radio" here, and two owners would make the key do nothing at all.
void keepCtrlWForWriting(QMdiSubWindow *sub)
{
    const QKeySequence ctrlW(Qt::CTRL | Qt::Key_W);
    const QList<QAction *> actions = sub->systemMenu() ? sub->systemMenu()->actions() : QList<QAction *>();
    for (QAction *action : actions) {
        QList<QKeySequence> keys = action->shortcuts();
        if (keys.removeAll(ctrlW) > 0)
            action->setShortcuts(keys);
    }
}

} // namespace

TfMainFrm *MainWindow()
{
    return theMainWindow;
}

void TfMainFrm::RegisterChildWindow(int code, ChildFactory create)
{
    childFactories().insert(code, std::move(create));
}

QWidget *TfMainFrm::CreateChildWindow(int code)
{
    const auto factory = childFactories().value(code);
    return factory ? factory() : nullptr;
}

TfMainFrm::TfMainFrm(QWidget *parent)
    : QMainWindow(parent)
{
    // The pictures live in the user-interface library, which is linked statically.
    Q_INIT_RESOURCE(ze4k);
    theMainWindow = this;
    setObjectName(QStringLiteral("fMainFrm"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    setWindowTitle(AppState.ProductName + AppState.VersionText);

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiClient"));
    buildMenu();
    buildToolbar();
    buildTree();
    buildStatusBar();

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_treePane);
    splitter->addWidget(m_mdi);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({210, 1000});
    setCentralWidget(splitter);

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, [this] {
        m_panels[2]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    });
    m_clock->start();
}

// Windows torn down with the main window must not reach it any more.
TfMainFrm::~TfMainFrm()
{
    if (theMainWindow == this)
        theMainWindow = nullptr;
    Backups::setReporter(nullptr);
}

QAction *TfMainFrm::addCommand(QMenu *menu, const char *name, const QString &caption, int code,
                               const QKeySequence &shortcut, const QString &hint)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setStatusTip(hint);
    action->setProperty("tag", code);
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, code] { ExecCommand(code); });
    return action;
}

void TfMainFrm::buildMenu()
{
    const auto menu = [this](const char *name, const QString &caption) {
        QMenu *m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    QMenu *file = menu("mFile", QStringLiteral("&File"));
    addCommand(file, "nNew", QStringLiteral("&New"), cmd::New, QKeySequence(QStringLiteral("Ctrl+N")));
    addCommand(file, "O1", QStringLiteral("&Open"), cmd::Open, QKeySequence(QStringLiteral("Ctrl+O")));
    addCommand(file, "nSave", QStringLiteral("&Save"), cmd::Save, QKeySequence(QStringLiteral("Ctrl+S")));
    addCommand(file, "nSaveAs", QStringLiteral("Save &As"), cmd::SaveAs, QKeySequence(QStringLiteral("Ctrl+A")));
    addCommand(file, "nImport", QStringLiteral("&Import Channels..."), cmd::ImportChannels);
    addCommand(file, "nExport", QStringLiteral("E&xport Channels..."), cmd::ExportChannels);
    file->addSeparator();
    addCommand(file, "nPrint", QStringLiteral("&Print"), cmd::Print, QKeySequence(QStringLiteral("Ctrl+P")));
    addCommand(file, "nPreview", QStringLiteral("Print Pre&view"), cmd::PrintPreview, QKeySequence(QStringLiteral("Ctrl+T")));
    file->addSeparator();
    addCommand(file, "nExit", QStringLiteral("&Exit"), cmd::Exit, QKeySequence(QStringLiteral("Ctrl+X")));

    QMenu *edit = menu("mEdit", QStringLiteral("&Edit"));
    addCommand(edit, "nInfo", QStringLiteral("Radio &Information"), cmd::RadioInformation, {}, QStringLiteral("Radio Information"));
    addCommand(edit, "nFreq", QStringLiteral("F&req. Channel"), cmd::FreqChannel, {}, QStringLiteral("Freq. Information"));
    edit->addSeparator();
    addCommand(edit, "nChInfo", QStringLiteral("Memory C&hannel"), cmd::MemoryChannel, {}, QStringLiteral("Channel Information"));
    addCommand(edit, "nChEdit", QStringLiteral("&Channel Edit"), cmd::ChannelEdit, {}, QStringLiteral("Channel Edit"));
    addCommand(edit, "nBatch", QStringLiteral("&Batch Edit"), cmd::BatchEdit);
    edit->addSeparator();
    addCommand(edit, "nFm", QStringLiteral("&Fm Information"), cmd::FmInformation, {}, QStringLiteral("Fm Information"));
    addCommand(edit, "nVox", QStringLiteral("&Vox Function"), cmd::VoxFunction, {}, QStringLiteral("Vox Function"));
    addCommand(edit, "nScan", QStringLiteral("&Scan Information"), cmd::ScanInformation, {}, QStringLiteral("Scan Information"));
    addCommand(edit, "nOpt", QStringLiteral("&Optional Function"), cmd::OptionalFunction, {}, QStringLiteral("Optional Function"));
    addCommand(edit, "nKey", QStringLiteral("&Key Function"), cmd::KeyFunction, {}, QStringLiteral("Key Function"));

    QMenu *program = menu("mProgram", QStringLiteral("&Program"));
    addCommand(program, "nRead", QStringLiteral("&Read From Radio"), cmd::ReadFromRadio, QKeySequence(QStringLiteral("Ctrl+R")));
    addCommand(program, "nWrite", QStringLiteral("&Write To Radio"), cmd::WriteToRadio, QKeySequence(QStringLiteral("Ctrl+W")));

    QMenu *setup = menu("mSetup", QStringLiteral("&Setup"));
    addCommand(setup, "nModel", QStringLiteral("&Model Information"), cmd::ModelInformation);
    setup->addSeparator();
    addCommand(setup, "nCom", QStringLiteral("&Communication Port"), cmd::CommunicationPort);
    addCommand(setup, "nLanguage", QStringLiteral("Language File Setup"), cmd::LanguageSetup);

    // The view items have handlers of their own rather than command codes.
    QMenu *view = menu("mView", QStringLiteral("&View"));
    auto *treeView = view->addAction(QStringLiteral("Tree &View"));
    treeView->setObjectName(QStringLiteral("nTreeView"));
    connect(treeView, &QAction::triggered, this, [this] { m_treePane->setVisible(!m_treePane->isVisible()); });
    view->addSeparator();
    m_toolbarToggle = view->addAction(QStringLiteral("&Toolbar"));
    m_toolbarToggle->setObjectName(QStringLiteral("nToolbar"));
    m_toolbarToggle->setCheckable(true);
    m_toolbarToggle->setChecked(true);
    connect(m_toolbarToggle, &QAction::toggled, this, [this](bool on) { m_toolbar->setVisible(on); });
    m_statusToggle = view->addAction(QStringLiteral("&Status bar"));
    m_statusToggle->setObjectName(QStringLiteral("nStatusBar"));
    m_statusToggle->setCheckable(true);
    m_statusToggle->setChecked(true);
    connect(m_statusToggle, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    QMenu *help = menu("mHelp", QStringLiteral("&Help"));
    addCommand(help, "nHelp", QStringLiteral("&Help Topics"), cmd::HelpTopics);
    help->addSeparator();
    addCommand(help, "nAbout", QStringLiteral("About..."), cmd::About);
}

void TfMainFrm::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const struct
    {
        const char *name;
        const char *hint;
        const char *icon;
        int code;
    } buttons[] = {
        {"tbNew", "New", "new", cmd::New},         {"tbOpen", "Open", "open", cmd::Open},
        {"tbSave", "Save", "save", cmd::Save},     {nullptr, nullptr, nullptr, 0},
        {"tbChEdit", "Channel Edit", "channeledit", cmd::ChannelEdit}, {nullptr, nullptr, nullptr, 0},
        {"tbPrint", "Print", "print", cmd::Print}, {nullptr, nullptr, nullptr, 0},
        {"tbCom", "Com", "com", cmd::CommunicationPort}, {nullptr, nullptr, nullptr, 0},
        {"tbRead", "Read", "read", cmd::ReadFromRadio}, {nullptr, nullptr, nullptr, 0},
        {"tbWrite", "Write", "write", cmd::WriteToRadio}, {nullptr, nullptr, nullptr, 0},
        {"tbHelp", "Help", "help", cmd::HelpTopics},
    };
    for (const auto &b : buttons) {
        if (!b.name) {
            m_toolbar->addSeparator();
            continue;
        }
        auto *action = new QAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(b.icon))),
                                   QLatin1String(b.hint), this);
        action->setObjectName(QLatin1String(b.name));
        action->setToolTip(QLatin1String(b.hint));
        action->setStatusTip(QLatin1String(b.hint));
        action->setProperty("tag", b.code);
        const int code = b.code;
        connect(action, &QAction::triggered, this, [this, code] { ExecCommand(code); });
        m_toolbar->addAction(action);
    }
}

void TfMainFrm::buildTree()
{
    m_treePane = new QWidget(this);
    m_treePane->setObjectName(QStringLiteral("pTree"));
    auto *layout = new QVBoxLayout(m_treePane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *close = new QToolButton(m_treePane);
    close->setText(QStringLiteral("X"));
    close->setAutoRaise(true);
    close->setToolTip(QStringLiteral("Hide the tree"));
    connect(close, &QToolButton::clicked, m_treePane, &QWidget::hide);
    layout->addWidget(close, 0, Qt::AlignRight);

    m_tree = new QTreeWidget(m_treePane);
    m_tree->setObjectName(QStringLiteral("tvMain"));
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *root = new QTreeWidgetItem(m_tree);
    root->setData(0, CodeRole, -1);
    root->setIcon(0, QIcon(QStringLiteral(":/icons/tree-root.svg")));
    QIcon nodeIcon(QStringLiteral(":/icons/tree-node.svg"));
    nodeIcon.addFile(QStringLiteral(":/icons/tree-node-selected.svg"), QSize(), QIcon::Selected);
    for (const TreeNode &node : TreeNodes) {
        auto *item = new QTreeWidgetItem(root);
        item->setData(0, CodeRole, node.code);
        item->setIcon(0, nodeIcon);
    }
    // Double click (or Enter) on the selected node runs its command.
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { treeActivated(item); });
    layout->addWidget(m_tree);
}

void TfMainFrm::treeActivated(QTreeWidgetItem *item)
{
    if (item && item == m_tree->currentItem())
        ExecCommand(item->data(0, CodeRole).toInt());
}

void TfMainFrm::buildStatusBar()
{
    lCom = new QLabel(QStringLiteral("Port: "), this);
    lCom->setObjectName(QStringLiteral("lCom"));
    lCom->hide();
    for (int width : PanelWidths) {
        auto *panel = new QLabel(statusBar());
        panel->setMinimumWidth(width);
        panel->setFrameShape(QFrame::StyledPanel);
        statusBar()->addWidget(panel, width == PanelWidths[6] ? 1 : 0);
        m_panels.append(panel);
    }
    // A backup that could not be written must not stop a clone, but the user should
    // know: the last panel, otherwise empty, tells it.
    Backups::setReporter([this](const QString &message) {
        if (QLabel *panel = statusPanel(6)) {
            panel->setText(message);
            panel->setToolTip(message);
        }
    });
}

QLabel *TfMainFrm::statusPanel(int i) const
{
    return m_panels.value(i);
}

// The hints of menu items and buttons are their tool tips and the tree's texts; shown
// in the status bar they would push the port, model and band panels out of sight.
bool TfMainFrm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void TfMainFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        firstShow();
    }
}

void TfMainFrm::firstShow()
{
    m_mdi->setBackground(QBrush(QPixmap(QStringLiteral(":/images/background.svg"))));
    SelectStartModel();
    QStringList ports;
    ListSerialPorts(&ports);
    AppState.PortName = AppState.PortName.toUpper();
    if (!ports.contains(AppState.PortName) && !ports.isEmpty())
        AppState.PortName = ports.first();
    CurrentFile.clear();
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, true);
    SetTreeTexts();
    setWindowTitle(AppState.ProductName + AppState.VersionText);
    UpdateStatus();
    ShowChild(cmd::MemoryChannel);
    AppState.Modified = false;
    m_tree->expandAll();
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void TfMainFrm::SetTreeTexts()
{
    QTreeWidgetItem *root = m_tree->topLevelItem(0);
    root->setText(0, AppState.ProductName);
    for (int i = 0; i < root->childCount(); ++i) {
        const auto *action = findChild<QAction *>(QLatin1String(TreeNodes[i].menuItem));
        root->child(i)->setText(0, action ? action->statusTip() : QString());
    }
}

void TfMainFrm::UpdateStatus()
{
    m_panels[0]->clear();
    m_panels[1]->setText(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    m_panels[2]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    m_panels[3]->setText(lCom->text() + AppState.PortName);
    m_panels[4]->setText(AppState.ModelName);
    m_panels[5]->setText(AppState.BandText);
    QString caption = AppState.ProductName + AppState.VersionText;
    if (!CurrentFile.isEmpty())
        caption += QStringLiteral(" [") + QDir::toNativeSeparators(CurrentFile) + QLatin1Char(']');
    setWindowTitle(caption);
}

void TfMainFrm::ExecCommand(int code)
{
    // A pending in-cell edit of the channel grid is committed before any command.
    if (auto *grid = dynamic_cast<ChildForm *>(child(cmd::MemoryChannel)))
        grid->FormDeactivate();
    switch (code) {
    case cmd::New: DoNew(); break;
    case cmd::Open: DoOpen(); break;
    case cmd::Save: DoSave(); break;
    case cmd::SaveAs: DoSaveAs(); break;
    case cmd::ImportChannels: ImportChannels(*this); break;
    case cmd::ExportChannels: ExportChannels(*this); break;
    case cmd::Print: PrintReport(this, false); break;
    case cmd::PrintPreview: PrintReport(this, true); break;
    case cmd::Exit: close(); break;
    case cmd::BatchEdit:
    case cmd::MemoryChannel:
    case cmd::FmInformation:
    case cmd::VoxFunction:
    case cmd::OptionalFunction:
    case cmd::RadioInformation:
    case cmd::KeyFunction:
    case cmd::ScanInformation:
        ShowChild(code);
        break;
    case cmd::FreqChannel:
    case cmd::ChannelEdit:
        if (auto *editor = dynamic_cast<ChildForm *>(ShowChild(code)))
            editor->LoadChannel();
        break;
    case cmd::ReadFromRadio: {
        TfReadRadio dialog(this);
        dialog.exec();
        if (dialog.readCompleted())
            AfterRead();
        break;
    }
    case cmd::WriteToRadio: {
        TfWriteRadio dialog(this);
        dialog.exec();
        break;
    }
    case cmd::ModelInformation: changeModel(); break;
    case cmd::CommunicationPort: {
        TfSetPort dialog(this);
        dialog.exec();
        UpdateStatus();
        break;
    }
    case cmd::LanguageSetup: changeLanguage(); break;
    case cmd::HelpTopics: showHelp(); break;
    case cmd::About: {
        TfFrmAbout about(this);
        about.exec();
        break;
    }
    default:
        break;
    }
}

QWidget *TfMainFrm::child(int code) const
{
    return m_children.value(code).data();
}

QWidget *TfMainFrm::ShowChild(int code)
{
    QWidget *window = child(code);
    if (!window) {
        window = CreateChildWindow(code);
        if (!window)
            return nullptr;   // that window is not part of this build
        window->setAttribute(Qt::WA_DeleteOnClose);
        QMdiSubWindow *sub = m_mdi->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        keepCtrlWForWriting(sub);
        m_children.insert(code, window);
    }
    auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    if (sub) {
        if (sub->isMinimized())
            sub->showNormal();
        sub->show();
        m_mdi->setActiveSubWindow(sub);
    }
    window->show();
    window->setFocus();
    return window;
}

void TfMainFrm::CloseChildren()
{
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList();
    for (QMdiSubWindow *sub : subs)
        delete sub;
    m_children.clear();
}

void TfMainFrm::RefreshViews(int kind)
{
    switch (kind) {
    case 0:
        if (auto *grid = dynamic_cast<ChildForm *>(child(cmd::MemoryChannel)))
            grid->LoadRow(AppState.CurrentChannel);
        break;
    case 1:
        CloseChildren();
        ShowChild(cmd::MemoryChannel);
        break;
    case 2:
        if (auto *editor = dynamic_cast<ChildForm *>(child(cmd::ChannelEdit)))
            editor->LoadChannel();
        break;
    default:
        break;
    }
}

void TfMainFrm::ChannelChanged(int kind)
{
    if (kind == 2)
        RefreshViews(2);
}

void TfMainFrm::AfterRead()
{
    CurrentFile.clear();
    UpdateStatus();
    RefreshViews(1);
}

void TfMainFrm::changeModel()
{
    TfModel dialog(this);
    dialog.exec();
    if (!dialog.confirmed())
        return;
    if (AppState.Modified
        && ShowMsg(LangTexts.Confirmation, LangTexts.ClearData, MsgQuestion) != MsgYes)
        return;
    const TMacType *model = ModelList.ByName(dialog.modelText());
    if (!model)
        return;
    // The changes are saved, if the user wants that, while they still carry the old
    // model; a save that does not happen cancels the change.
    if (!askSaveBeforeDiscarding())
        return;
    SelectModelAndBand(model->code(), dialog.resultBandText(), dialog.resultBandCode(), true);
    startNewImage();
}

void TfMainFrm::changeLanguage()
{
    TfSetLanguage dialog(this);
    dialog.exec();
    if (!dialog.LanguageChanged())
        return;
    LoadMessages(AppState.LanguageName);
    TranslateForm(this, AppState.LanguageName, true);
    UpdateStatus();
    CloseChildren();
    SetTreeTexts();
    ShowChild(cmd::MemoryChannel);
    // The image is the same as before, so unsaved changes stay unsaved: the exit
    // still asks to save them.
}

void TfMainFrm::showHelp()
{
    const QString file = AppPaths::helpFile(AppState.HelpPrefix, AppState.LanguageName);
    if (!QFileInfo::exists(file) || !QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        ShowMsg(LangTexts.Confirmation,
                QStringLiteral("Cannot open the help file %1.").arg(QDir::toNativeSeparators(file)), MsgInformation);
}

void TfMainFrm::closeEvent(QCloseEvent *event)
{
    if (ShowMsg(LangTexts.Confirmation, LangTexts.ExitProgram, MsgQuestion) != MsgYes
        || !askSaveBeforeDiscarding()) {
        event->ignore();
        return;
    }
    SaveSettings();
    event->accept();
}
