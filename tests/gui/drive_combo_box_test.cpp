// The drive selector over scripted drives: its list, its events and its rows.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include "doubles/FakeMachine.h"
#include "drives/DriveListText.h"
#include "drives/qt/FileCtrl.h"
#include "sjis/Cp932.h"
#include "sjis/qt/QtText.h"

namespace {

using platform::DriveType;

class DriveComboBoxTest : public ::testing::Test, protected FakeMachine {
protected:
    DriveComboBoxTest() {
        drives.Add('a', DriveType::Removable, "INSIDE");
        drives.Add('c', DriveType::Fixed, "WinSys");
        drives.Add('d', DriveType::Fixed, "Data");
        drives.Add('e', DriveType::CdRom, std::nullopt);
        drives.currentDirectory = "C:\\work";
    }

    // Built on first use, so a test can change the drives first.
    TDriveComboBox& Combo() {
        if (!combo) {
            combo = std::make_unique<TDriveComboBox>();
            combo->resize(200, 23);
            combo->OnChange = [this](QObject* sender) {
                EXPECT_EQ(sender, combo.get());
                events.push_back(combo->CurrentDrive());
            };
            combo->show();
            combo->CreateWnd();
            events.clear();
        }
        return *combo;
    }

    QStringList Texts() {
        QStringList texts;
        for (int row = 0; row < Combo().count(); ++row) texts << Combo().itemText(row);
        return texts;
    }

    int RowOf(char letter) { return Combo().findText(QString(QChar(letter)), Qt::MatchStartsWith); }

    void ClickRowInOpenList(int row) {
        Combo().showPopup();
        QAbstractItemView* list = Combo().view();
        // The open list ignores a release that comes as quickly as the click that opened it.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QPoint centre = list->visualRect(list->model()->index(row, 0)).center();
        QTest::mouseMove(list->viewport(), centre);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    }

    std::unique_ptr<TDriveComboBox> combo;
    std::string events;
};

TEST_F(DriveComboBoxTest, ListsLabelsAndNotReadyDriveWithoutAnyErrorBox) {
    EXPECT_EQ(Texts(), QStringList({"a:", "c: [winsys]", "d: [data]", "e: []"}));
    EXPECT_EQ(Combo().itemData(0).toInt(), static_cast<int>(drives::DrivePicture::Floppy));
    EXPECT_EQ(Combo().itemData(3).toInt(), static_cast<int>(drives::DrivePicture::CdRom));
    EXPECT_EQ(drives.drives[0].labelQueries, 0) << "a removable drive is never touched";
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible() && qobject_cast<QDialog*>(window)) << window->metaObject()->className();
    EXPECT_FALSE(Combo().isEditable());
}

TEST_F(DriveComboBoxTest, DoubleByteLabelKeptWhileAsciiCapitalsGoSmall) {
    drives.Add('d', DriveType::Fixed, sjis::FromUtf8("Ｄドライブ") + "BACKUP");
    EXPECT_EQ(FromQString(Combo().itemText(2)), "d: [" + sjis::FromUtf8("Ｄドライブ") + "backup]");
}

TEST_F(DriveComboBoxTest, WindowCreationSelectsTheCurrentDirectorysDriveOnce) {
    TDriveComboBox box;
    EXPECT_EQ(box.CurrentDrive(), 'C');
    EXPECT_EQ(box.count(), 0);
    int changes = 0;
    box.OnChange = [&](QObject*) { ++changes; };
    box.CreateWnd();
    box.CreateWnd();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.CurrentDrive(), 'c');
    EXPECT_EQ(box.currentIndex(), 1);
}

TEST_F(DriveComboBoxTest, MousePickOfAnotherDriveRaisesTwoEventsAndRepickOne) {
    ASSERT_EQ(Combo().currentIndex(), RowOf('c'));
    ClickRowInOpenList(RowOf('d'));
    EXPECT_EQ(events, "dd");
    EXPECT_FALSE(Combo().view()->isVisible());
    events.clear();
    ClickRowInOpenList(RowOf('d'));
    EXPECT_EQ(events, "d");
}

TEST_F(DriveComboBoxTest, EveryKeyMoveOnTheClosedListIsAPick) {
    Combo().setFocus();
    QTest::keyClick(&Combo(), Qt::Key_Down);
    EXPECT_EQ(events, "dd");
    QTest::keyClick(&Combo(), Qt::Key_End);
    QTest::keyClick(&Combo(), Qt::Key_Home);
    QTest::keyClick(&Combo(), Qt::Key_C);
    EXPECT_EQ(events, "ddeeaacc");
    QTest::keyClick(&Combo(), Qt::Key_Up);
    QTest::keyClick(&Combo(), Qt::Key_Up);  // already at the top: no change, no pick
    EXPECT_EQ(events, "ddeeaaccaa");
}

TEST_F(DriveComboBoxTest, EveryKeyMoveInTheOpenListIsAPickAndEnterOnlyCloses) {
    Combo().showPopup();
    QAbstractItemView* list = Combo().view();
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(events, "dd");
    EXPECT_EQ(Combo().currentIndex(), RowOf('d'));
    EXPECT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_A);
    EXPECT_EQ(events, "ddaa");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(events, "ddaa");
    EXPECT_EQ(Combo().CurrentDrive(), 'a');

    Combo().showPopup();
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(events, "ddaaee");
}

TEST_F(DriveComboBoxTest, StartedFromANetworkPathNothingIsSelected) {
    drives.currentDirectory = "\\\\server\\share\\folder";
    TDriveComboBox box;
    EXPECT_EQ(box.CurrentDrive(), 0);
    std::string seen;
    box.OnChange = [&](QObject*) { seen += box.CurrentDrive() ? box.CurrentDrive() : '0'; };
    box.CreateWnd();
    EXPECT_EQ(box.CurrentDrive(), 0);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(seen, "0");
    box.show();
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(seen, "0aa");
}

TEST_F(DriveComboBoxTest, SelectDriveTakesEitherCaseAndKeepsAnUnlistedLetter) {
    Combo().SelectDrive('D');
    EXPECT_EQ(events, "d");
    EXPECT_EQ(Combo().currentIndex(), RowOf('d'));
    Combo().SelectDrive('d');
    EXPECT_EQ(events, "d") << "the same drive again changes nothing";
    Combo().SelectDrive('q');
    EXPECT_EQ(events, "dq");
    EXPECT_EQ(Combo().CurrentDrive(), 'q');
    EXPECT_EQ(Combo().currentIndex(), RowOf('d')) << "no item for q: the selection stays";
}

TEST_F(DriveComboBoxTest, OpenListShowsEightOfTenRows) {
    for (char letter : std::string("fghijk")) drives.Add(letter, DriveType::Fixed, "Disk");
    ASSERT_EQ(Combo().count(), 10);
    EXPECT_EQ(Combo().maxVisibleItems(), 8);
    Combo().showPopup();
    QAbstractItemView* list = Combo().view();
    const int rowHeight = list->visualRect(list->model()->index(0, 0)).height();
    EXPECT_EQ(rowHeight, Combo().ItemHeight());
    EXPECT_EQ(list->viewport()->height() / rowHeight, 8);
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
    Combo().hidePopup();
}

TEST_F(DriveComboBoxTest, ItemHeightIsTheFontsHeightButAtLeastTheFloppys) {
    QFont small = Combo().font();
    small.setPixelSize(5);
    Combo().setFont(small);
    EXPECT_EQ(Combo().ItemHeight(), 11);
    QFont large = small;
    large.setPixelSize(30);
    Combo().setFont(large);
    EXPECT_EQ(Combo().ItemHeight(), QFontMetrics(large).height());
    // A new font re-creates the list: fresh items, the drive selected again, one event each time.
    EXPECT_EQ(events, "cc");
    EXPECT_EQ(Combo().count(), 4);
}

// A row drawn by the open list's delegate into an image.
QImage RenderRow(TDriveComboBox& box, int row, QRect rect, bool selected) {
    QImage image(rect.width() + rect.left(), rect.height() + rect.top() + 4, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QStyleOptionViewItem option;
    option.initFrom(box.view());
    option.rect = rect;
    option.font = box.font();
    option.widget = box.view();
    option.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
    QPainter painter(&image);
    box.itemDelegate()->paint(&painter, option, box.model()->index(row, 0));
    return image;
}

TEST_F(DriveComboBoxTest, RowShowsPictureCentredWithItsKeyColourClear) {
    const QRect rect(0, 5, 180, 21);
    for (bool selected : {false, true}) {
        const QImage image = RenderRow(Combo(), 1, rect, selected);
        const QColor background = Combo().view()->palette().color(selected ? QPalette::Highlight : QPalette::Base);
        const int top = (5 + 26 - 11) / 2;
        EXPECT_EQ(image.pixelColor(2, top + 10), background) << "bottom-left key pixel";
        EXPECT_EQ(image.pixelColor(2 + 15, top), background) << "blue top row, far right";
        EXPECT_EQ(image.pixelColor(2 + 1, top + 1), QColor(Qt::black)) << "outline of the bay";
        EXPECT_EQ(image.pixelColor(2 + 2, top + 2), QColor(Qt::white)) << "bevel";
        EXPECT_EQ(image.pixelColor(2 + 1, top), background);
        EXPECT_EQ(image.pixelColor(100, 5), background);
        EXPECT_EQ(image.pixelColor(100, 5 + 21), QColor(Qt::magenta)) << "drawn inside the row only";
    }
}

// The rightmost column where the text drew anything.
int InkRight(const QImage& image, QColor background, int from) {
    int right = -1;
    for (int x = from; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) != background && image.pixelColor(x, y) != QColor(Qt::magenta)) right = x;
    return right;
}

TEST_F(DriveComboBoxTest, AmpersandIsShownAsItself) {
    drives.Add('c', DriveType::Fixed, "R&&D");
    drives.Add('d', DriveType::Fixed, "RD");
    const QRect rect(0, 0, 300, 20);
    const QColor background = Combo().view()->palette().color(QPalette::Base);
    const int withAmpersands = InkRight(RenderRow(Combo(), 1, rect, false), background, 16 + 6);
    const int without = InkRight(RenderRow(Combo(), 2, rect, false), background, 16 + 6);
    const QFontMetrics metrics(Combo().font());
    const int ampersands = metrics.horizontalAdvance("c: [r&&d]") - metrics.horizontalAdvance("c: [rd]");
    ASSERT_GT(ampersands, 4);
    EXPECT_NEAR(withAmpersands - without, ampersands, 2);
}

}  // namespace
