#include "app/qt/Unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/qt/FolderDrop.h"
#include "app/qt/MenuShortcuts.h"
#include "app/qt/TStatusBar.h"
#include "dialogs/ErrorBox.h"
#include "drives/qt/FileCtrl.h"
#include "resources/Texts.h"
#include "resources/qt/WindowIcon.h"
#include "sjis/qt/QtText.h"
#include "text/qt/TMemo.h"
#include "tree/qt/TTreeView.h"

namespace {

constexpr int kLeft = 197, kTop = 118, kWidth = 696, kHeight = 480;
constexpr int kPanelWidth = 185, kBarHeight = 24, kSelectorHeight = 23;
constexpr int kSplitterWidth = 3, kMinPaneWidth = 30, kFontPixels = 17;

QString Caption(std::string_view utf8) { return ToQString(texts::Cp932(utf8)); }

QFont WindowFont() {
    QFont font(Caption(texts::kWindowFontFace));
    font.setPixelSize(kFontPixels);
    return font;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(Caption(texts::kAppTitle));
    setWindowIcon(WindowIcon());
    setFont(WindowFont());
    BuildComponents();
    BuildMenus();
    MenuShortcuts::Install(*this);
    FormCreate(this);
    resize(kWidth, kHeight);
    move(kLeft, kTop);
}

TForm1::~TForm1() = default;

void TForm1::BuildComponents() {
    StatusBar1 = new TStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setFixedHeight(kBarHeight);
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);
    status_ = std::make_unique<StatusLine>(*StatusBar1);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    // A line follows the drag and the pane takes its new width when the drag ends.
    Splitter1->setOpaqueResize(false);
    setCentralWidget(Splitter1);

    Panel1 = new QFrame(Splitter1);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setMinimumWidth(kMinPaneWidth);
    Panel1->installEventFilter(this);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->setSpacing(0);

    Panel2 = new QWidget(Panel1);
    Panel2->setObjectName("Panel2");
    Panel2->setFixedHeight(kBarHeight);
    Panel2->setMinimumWidth(0);
    panelLayout->addWidget(Panel2);

    DriveComboBox1 = new TDriveComboBox(Panel2);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->setGeometry(0, 0, kPanelWidth, kSelectorHeight);
    DriveComboBox1->OnChange = [this](QObject* sender) { errorbox::Guard([&] { DriveComboBox1Change(sender); }); };

    TreeView1 = new TTreeView(Panel1);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setMinimumWidth(0);
    panelLayout->addWidget(TreeView1, 1);

    Memo1 = new TMemo(Splitter1);
    Memo1->setObjectName("Memo1");
    Memo1->setMinimumWidth(kMinPaneWidth);

    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Memo1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kPanelWidth, kWidth - kPanelWidth});
    // Folders dropped from a file manager; the editor keeps taking drops as text.
    const auto scanDropped = [this](const std::string& folder) { ScanFolderWhenIdle(folder); };
    FolderDrop::Install(*TreeView1->viewport(), scanDropped);
    FolderDrop::Install(*DriveComboBox1, scanDropped);
    setTabOrder(DriveComboBox1, TreeView1);
    setTabOrder(TreeView1, Memo1);
}

QAction* TForm1::AddCommand(QMenu* menu, std::string_view caption, void (Form1Handlers::*handler)(const void*)) {
    QAction* action = menu ? menu->addAction(Caption(caption)) : menuBar()->addAction(Caption(caption));
    connect(action, &QAction::triggered, this,
            [this, action, handler] { errorbox::Guard([&] { (this->*handler)(action); }); });
    return action;
}

void TForm1::BuildMenus() {
    MnuFile = menuBar()->addMenu(Caption(texts::kMenuFile));
    MnuFile->setObjectName("MnuFile");
    MnuOpen = AddCommand(MnuFile, texts::kMenuOpenFolder, &Form1Handlers::MnuOpenClick);
    MnuSave = AddCommand(MnuFile, texts::kMenuSave, &Form1Handlers::MnuSaveClick);
    MnuDmy01 = MnuFile->addSeparator();
    MnuExit = AddCommand(MnuFile, texts::kMenuExit, &Form1Handlers::MnuExitClick);

    MnuEdit = menuBar()->addMenu(Caption(texts::kMenuEdit));
    MnuEdit->setObjectName("MnuEdit");
    MnuCut = AddCommand(MnuEdit, texts::kMenuCut, &Form1Handlers::MnuCutClick);
    MnuCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    MnuCopy = AddCommand(MnuEdit, texts::kMenuCopy, &Form1Handlers::MnuCopyClick);
    MnuCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    MnuPaste = AddCommand(MnuEdit, texts::kMenuPaste, &Form1Handlers::MnuPasteClick);
    MnuPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    MnuDmy02 = MnuEdit->addSeparator();
    MnuAllSelect = AddCommand(MnuEdit, texts::kMenuSelectAll, &Form1Handlers::MnuAllSelectClick);

    // A command on the bar itself, with no drop-down.
    MnuMemo = AddCommand(nullptr, texts::kMenuMemo, &Form1Handlers::MnuMemoClick);

    MnuOpen->setObjectName("MnuOpen");
    MnuSave->setObjectName("MnuSave");
    MnuExit->setObjectName("MnuExit");
    MnuCut->setObjectName("MnuCut");
    MnuCopy->setObjectName("MnuCopy");
    MnuPaste->setObjectName("MnuPaste");
    MnuAllSelect->setObjectName("MnuAllSelect");
    MnuMemo->setObjectName("MnuMemo");
}

void TForm1::PlaceWindow() {
    // The outer frame goes exactly to its designed place and size, whatever the frame's width.
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    resize(kWidth - (frame.width() - client.width()), kHeight - (frame.height() - client.height()));
    move(kLeft, kTop);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    PlaceWindow();
    DriveComboBox1->CreateWnd();
    FormShow(this);
    if (!startFolder_.empty()) ScanFolderSoon(startFolder_);
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    errorbox::Guard([&] { FormCloseQuery(this, canClose); });
    if (canClose)
        QMainWindow::closeEvent(event);
    else
        event->ignore();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1 && event->type() == QEvent::Resize) Panel1Resize(Panel1);
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::Panel1Resize(QObject*) { DriveComboBox1->resize(Panel1->width(), kSelectorHeight); }

void TForm1::ScanFolderSoon(const std::string& nativePath) {
    QMetaObject::invokeMethod(
        this, [this, nativePath] { ScanFolderWhenIdle(nativePath); }, Qt::QueuedConnection);
}

DriveSelector& TForm1::Selector() { return *DriveComboBox1; }

TreePane& TForm1::Tree() { return *TreeView1; }

EditorPane& TForm1::Editor() { return *Memo1; }
