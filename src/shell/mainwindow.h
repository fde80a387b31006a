#pragma once
// The multiple-document main window: menu, toolbar, navigation tree, status bar,
// the command dispatcher and the routines that keep the editor windows in step.
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// Command codes carried by the menu items, tool buttons and tree nodes.
namespace cmd {
enum Code {
    New = 1, Open = 2, Save = 3, SaveAs = 4, Print = 5, PrintPreview = 6, Exit = 7,
    BatchEdit = 9, FreqChannel = 10, MemoryChannel = 11, ChannelEdit = 12, FmInformation = 13,
    VoxFunction = 14, OptionalFunction = 15, RadioInformation = 16, KeyFunction = 17,
    ScanInformation = 19, ReadFromRadio = 20, WriteToRadio = 21, ModelInformation = 30,
    CommunicationPort = 31, LanguageSetup = 32, TreeView = 40, Toolbar = 41, StatusBar = 42,
    HelpTopics = 60, About = 61, ImportChannels = 70, ExportChannels = 71,
};
}

// What the main window needs of the editor windows it keeps in step. A child window
// implements the hooks it has; the rest do nothing.
class ChildForm
{
public:
    virtual ~ChildForm() = default;
    virtual void FormDeactivate() {}           // commit a pending in-cell edit
    virtual void LoadRow(int /*channel*/) {}   // the channel grid
    virtual void LoadAllRows() {}              // the channel grid
    virtual void LoadChannel() {}              // the single-channel editors
    virtual void FillPrintRows() {}            // the windows whose rows the report prints
};

class TfMainFrm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfMainFrm(QWidget *parent = nullptr);
    ~TfMainFrm() override;

    // A window class opened by a command code: created on demand, one instance.
    using ChildFactory = std::function<QWidget *()>;
    static void RegisterChildWindow(int code, ChildFactory create);
    // A new instance of a registered window class outside the main window, for a
    // caller that uses it briefly and deletes it; null when none is registered.
    static QWidget *CreateChildWindow(int code);

    void ExecCommand(int code);
    void RefreshViews(int kind);
    void ChannelChanged(int kind);
    void UpdateStatus();
    void AfterRead();
    QWidget *ShowChild(int code);
    QWidget *child(int code) const;
    void CloseChildren();
    void SetTreeTexts();

    // File commands; each returns whether it went through.
    bool DoNew();
    bool DoOpen();
    bool DoSave();
    bool DoSaveAs();

    const QString &currentFile() const { return CurrentFile; }
    QLabel *statusPanel(int i) const;
    QTreeWidget *tree() const { return m_tree; }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void buildToolbar();
    void buildTree();
    void buildStatusBar();
    QAction *addCommand(QMenu *menu, const char *name, const QString &caption, int code,
                        const QKeySequence &shortcut = QKeySequence(), const QString &hint = QString());
    void firstShow();
    bool askSaveBeforeDiscarding();
    void startNewImage();
    bool writeCurrentFile();
    void changeModel();
    void changeLanguage();
    void showHelp();
    void treeActivated(QTreeWidgetItem *item);

    QString CurrentFile;
    QMdiArea *m_mdi = nullptr;
    QWidget *m_treePane = nullptr;
    QTreeWidget *m_tree = nullptr;
    QToolBar *m_toolbar = nullptr;
    QTimer *m_clock = nullptr;
    QLabel *lCom = nullptr;
    QList<QLabel *> m_panels;
    QAction *m_toolbarToggle = nullptr;
    QAction *m_statusToggle = nullptr;
    QMap<int, QPointer<QWidget>> m_children;
    bool m_shown = false;
};

// The one main window, once it exists.
TfMainFrm *MainWindow();
