// The window during a long scan: it paints and runs posted calls, user input waits until the
// scan has ended, the tree pane shows no rows meanwhile and the count field how far it got.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

// Input is queued the way the platform queues it, to be delivered by the event loop; the
// only interface for that is Qt's platform one.
#include <qpa/qwindowsysteminterface.h>

#include "app/qt/AliveWork.h"
#include "app/qt/Unit1.h"
#include "dialogs/ErrorText.h"
#include "doubles/FakeMachine.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "drives/qt/FileCtrl.h"
#include "resources/Texts.h"
#include "sjis/qt/QtText.h"
#include "text/qt/TMemo.h"
#include "tree/TreeErrors.h"
#include "tree/qt/TTreeView.h"
#include "tree/qt/TreeModel.h"

namespace {

using namespace std::chrono_literals;

constexpr int kFolders = 2000;

// Waits on the scan's thread until `done` holds, five seconds at most.
bool WaitFor(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// What the event loop delivered while the scan ran, noted on the window's thread.
class Deliveries : public QObject {
public:
    std::atomic<int> paintsDuringWork = 0;
    std::atomic<bool> groupedCountPainted = false;
    std::atomic<int> inputsDuringWork = 0;
    int inputs = 0;
    int doubleClicks = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Paint:
                if (alivework::Running()) ++paintsDuringWork;
                if (auto* label = qobject_cast<QLabel*>(watched); label && label->objectName() == "StatusCount")
                    if (kGrouped.match(label->text()).hasMatch()) groupedCountPainted = true;
                break;
            case QEvent::KeyPress:
            case QEvent::MouseButtonPress:
                ++inputs;
                if (alivework::Running()) ++inputsDuringWork;
                break;
            case QEvent::MouseButtonDblClick: ++doubleClicks; break;
            default: break;
        }
        return false;
    }

private:
    const QRegularExpression kGrouped{"^" + ToQString(texts::Format(texts::kFolderCount, "\\d{1,3}(,\\d{3})+")) + "$"};
};

class AliveScanTest : public ::testing::Test, protected FakeMachine {
protected:
    AliveScanTest() {
        drives.Add('c', platform::DriveType::Fixed, "WinSys");
        drives.Add('x', platform::DriveType::Fixed, "Data");
        files.AddFolder("c:\\Windows\\System");
        for (int i = 0; i < kFolders; ++i) files.AddFolder("x:\\F" + std::to_string(10000 + i));
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        CountField()->installEventFilter(&seen);
        form.Memo1->installEventFilter(&seen);
        form.Memo1->viewport()->installEventFilter(&seen);
    }

    // The scan stops at the listing of `folder` and runs `inside` there, on its own thread.
    void AtListing(const std::string& folder, std::function<void()> inside) {
        files.onList = [folder, inside](const std::string& listed) {
            if (listed == folder) inside();
        };
    }
    // Runs `call` on the window's thread, as a posted call.
    void Post(std::function<void()> call) { QMetaObject::invokeMethod(&form, std::move(call), Qt::QueuedConnection); }
    // Lets the event loop run until `done` holds, five seconds at most.
    static bool ProcessUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 500 && !done(); ++i) QTest::qWait(10);
        return done();
    }

    void Pick(char letter) { form.DriveComboBox1->SelectDrive(letter); }
    TTreeNodes& Nodes() { return form.TreeView1->Items(); }
    QAbstractItemModel& Model() { return *form.TreeView1->model(); }
    QLabel* CountField() { return form.StatusBar1->findChild<QLabel*>("StatusCount"); }

    ScriptedMessageDialogs dialogs;
    TForm1 form;
    Deliveries seen;
};

TEST_F(AliveScanTest, TheWindowPaintsAndRunsPostedCallsWhileKeysAndClicksWaitForTheEnd) {
    form.Memo1->setFocus();
    QWindow* window = form.windowHandle();
    const QPoint inMemo = form.Memo1->viewport()->mapTo(&form, QPoint(5, 5));
    using Queued = QWindowSystemInterface::AsynchronousDelivery;
    QWindowSystemInterface::handleKeyEvent<Queued>(window, QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "z");
    QWindowSystemInterface::handleKeyEvent<Queued>(window, QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier, "z");
    QWindowSystemInterface::handleMouseEvent<Queued>(window, inMemo, form.mapToGlobal(inMemo), Qt::LeftButton,
                                                     Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<Queued>(window, inMemo, form.mapToGlobal(inMemo), Qt::NoButton,
                                                     Qt::LeftButton, QEvent::MouseButtonRelease);

    std::atomic<bool> postedRan = false, waited = false;
    AtListing("x:\\F10100\\", [&] {
        Post([&] { postedRan = true; });
        waited = WaitFor([&] { return postedRan && seen.paintsDuringWork > 0; });
    });
    Pick('x');

    EXPECT_TRUE(waited);
    EXPECT_TRUE(postedRan);
    EXPECT_GT(seen.paintsDuringWork, 0);
    EXPECT_EQ(seen.inputsDuringWork, 0);
    EXPECT_EQ(seen.inputs, 0);
    EXPECT_EQ(form.Memo1->FullText(), "");
    EXPECT_EQ(Nodes().NodeCount(), kFolders + 1);

    // Once the scan is over, what was typed and clicked arrives.
    EXPECT_TRUE(ProcessUntil([&] { return seen.inputs == 2; }));
    EXPECT_EQ(form.Memo1->FullText(), "z");
}

TEST_F(AliveScanTest, ThePaneHasNoRowsAndTheCountFieldCountsUntilTheScanEnds) {
    std::atomic<int> rowsDuringScan = -1;
    std::atomic<bool> countShown = false;
    AtListing("x:\\F10100\\", [&] {
        Post([&] { rowsDuringScan = Model().rowCount(); });
        countShown = WaitFor([&] { return rowsDuringScan >= 0 && seen.groupedCountPainted; });
    });
    Pick('x');

    EXPECT_EQ(rowsDuringScan, 0);
    EXPECT_TRUE(countShown);
    EXPECT_EQ(form.Status().Text(), "");
    EXPECT_FALSE(CountField()->isVisible());
    // The new tree, shown with one reset: its root, collapsed, with its folders below.
    ASSERT_EQ(Model().rowCount(), 1);
    const QModelIndex root = Model().index(0, 0);
    EXPECT_EQ(TreeModel::NodeOf(root), Nodes().NodeAt(0));
    EXPECT_EQ(Model().rowCount(root), kFolders);
    EXPECT_FALSE(form.TreeView1->isExpanded(root));
}

TEST_F(AliveScanTest, AFailureInsideTheScanReachesTheErrorBoxAndTheNodesStay) {
    AtListing("x:\\F10002\\", [] { throw EOutOfResources(); });
    Pick('x');

    ASSERT_EQ(dialogs.errorBoxes.size(), 1u);
    EXPECT_EQ(dialogs.errorBoxes[0], ErrorBoxText(texts::Cp932(texts::kCannotInsertItem)));
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kScanning));
    EXPECT_EQ(Nodes().NodeCount(), kFolders + 1);
    EXPECT_EQ(Model().rowCount(), 1);
    EXPECT_EQ(Model().rowCount(Model().index(0, 0)), kFolders);
    EXPECT_FALSE(CountField()->isVisible());
    EXPECT_FALSE(alivework::Running());

    // The next scan runs as ever.
    files.onList = nullptr;
    form.DriveComboBox1Change(form.DriveComboBox1);
    EXPECT_EQ(form.Status().Text(), "");
    EXPECT_EQ(Nodes().NodeCount(), kFolders + 1);
    EXPECT_EQ(dialogs.errorBoxes.size(), 1u);
}

TEST_F(AliveScanTest, AFolderHandedOverDuringAScanIsScannedOnceTheScanHasEnded) {
    std::atomic<bool> handedOver = false;
    AtListing("x:\\F10100\\", [&] {
        Post([&] {
            form.ScanFolderSoon("c:\\Windows");
            // Posted after the hand-over's own call: when this runs, that one has had its turn.
            Post([&] { handedOver = true; });
        });
        WaitFor([&] { return handedOver.load(); });
    });
    Pick('x');
    EXPECT_TRUE(handedOver);
    EXPECT_EQ(Nodes().NodeAt(0)->Text(), "x:\\");

    ASSERT_TRUE(ProcessUntil([&] { return Nodes().NodeAt(0)->Text() == "c:\\Windows\\"; }));
    EXPECT_EQ(Nodes().NodeCount(), 2);
    // Every listing of the drive came before the first of the folder.
    std::size_t drive = 0;
    while (drive < files.listed.size() && files.listed[drive].rfind("x:", 0) == 0) ++drive;
    EXPECT_EQ(drive, std::size_t(kFolders + 1));
    for (std::size_t i = drive; i < files.listed.size(); ++i) EXPECT_EQ(files.listed[i].rfind("c:", 0), 0u) << i;
}

TEST_F(AliveScanTest, AClickHeldDuringTheScanArrivesAfterItAsOneClick) {
    QWindow* window = form.windowHandle();
    const QPoint inMemo = form.Memo1->viewport()->mapTo(&form, QPoint(5, 5));
    using Queued = QWindowSystemInterface::AsynchronousDelivery;
    QWindowSystemInterface::handleMouseEvent<Queued>(window, inMemo, form.mapToGlobal(inMemo), Qt::LeftButton,
                                                     Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<Queued>(window, inMemo, form.mapToGlobal(inMemo), Qt::NoButton,
                                                     Qt::LeftButton, QEvent::MouseButtonRelease);
    Pick('x');
    EXPECT_EQ(seen.inputsDuringWork, 0);
    EXPECT_TRUE(ProcessUntil([&] { return seen.inputs == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(seen.inputs, 1);
    EXPECT_EQ(seen.doubleClicks, 0);
}

TEST_F(AliveScanTest, TheCloseBoxEndsTheScanWhereEscWouldAndTheWindowClosesWithoutTheKeysHeld) {
    QWindow* window = form.windowHandle();
    form.Memo1->setFocus();
    // Notes once the window has handled its close request.
    class CloseSeen : public QObject {
    public:
        std::atomic<bool> handled = false;

    protected:
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Close)
                QMetaObject::invokeMethod(
                    this, [this] { handled = true; }, Qt::QueuedConnection);
            return false;
        }
    } closeSeen;
    form.installEventFilter(&closeSeen);
    AtListing("x:\\F10100\\", [&] {
        Post([window] {
            using Queued = QWindowSystemInterface::AsynchronousDelivery;
            QWindowSystemInterface::handleKeyEvent<Queued>(window, QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "z");
            QWindowSystemInterface::handleKeyEvent<Queued>(window, QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier, "z");
            QWindowSystemInterface::handleCloseEvent<Queued>(window);
        });
        WaitFor([&] { return closeSeen.handled.load(); });
    });
    Pick('x');

    EXPECT_TRUE(closeSeen.handled);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(form.IsInterrupted());
    EXPECT_EQ(form.Status().Text(), texts::Cp932(texts::kScanInterrupted));
    // The stop was seen at the first poll after the close request: no folder after that one
    // was listed.
    EXPECT_EQ(files.listed.back(), "x:\\F10100\\");
    EXPECT_EQ(Nodes().NodeCount(), kFolders + 1);
    ASSERT_TRUE(ProcessUntil([&] { return !form.isVisible(); }));
    EXPECT_EQ(seen.inputs, 0);
    EXPECT_EQ(form.Memo1->FullText(), "");
}

}  // namespace
