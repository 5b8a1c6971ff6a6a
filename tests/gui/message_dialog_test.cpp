// Live message dialogs, driven by keys sent to whatever has the focus once the dialog runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs/MessageDialog.h"
#include "dialogs/MessageLayout.h"
#include "dialogs/qt/MessageLabel.h"
#include "dialogs/qt/TMessageForm.h"
#include "doubles/ScriptedMessageDialogs.h"
#include "resources/Texts.h"
#include "sjis/qt/QtText.h"

namespace {

constexpr int kTimedOut = -99;

// Shows the dialog through MessageDialog and runs `act` on it once it is up; a dialog that
// `act` leaves open is ended with kTimedOut so a failing test never hangs.
int RunDialog(std::string_view utf8Text, TMessageKind kind, TMessageButtons buttons,
              const std::function<void(TMessageForm&)>& act) {
    QObject guard;  // its end cancels the timers of this run
    QTimer::singleShot(0, &guard, [act] {
        auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
        EXPECT_NE(form, nullptr);
        if (!form) return;
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        act(*form);
    });
    QTimer::singleShot(5000, &guard, [] {
        if (auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget())) form->done(kTimedOut);
    });
    return MessageDialog(texts::Cp932(utf8Text), kind, buttons, 0);
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
}

const TMessageButtons kYesNo = ButtonSet({mbYes, mbNo});
const TMessageButtons kOk = ButtonSet({mbOK});

QImage IconImage(QStyle::StandardPixmap which, const QWidget& on) {
    return on.style()->standardIcon(which, nullptr, &on).pixmap(32).toImage();
}

}  // namespace

TEST(MessageDialogTest, QuestionAnswersByKeyboardAndCloseBox) {
    const auto question = texts::kConfirmReplaceMemo;
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo, [](TMessageForm&) { Key(Qt::Key_Return); }), mrYes);
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo, [](TMessageForm&) { Key(Qt::Key_Enter); }), mrYes);
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo, [](TMessageForm&) { Key(Qt::Key_Escape); }), mrNo);
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo, [](TMessageForm&) { Key(Qt::Key_N); }), mrNo);
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo, [](TMessageForm&) { Key(Qt::Key_N, Qt::ShiftModifier); }),
              mrNo);
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo, [](TMessageForm&) { Key(Qt::Key_N, Qt::AltModifier); }),
              mrNo);
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo, [](TMessageForm&) { Key(Qt::Key_Y); }), mrYes);
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo, [](TMessageForm& form) { form.close(); }), mrCancel);
    // A letter no caption carries, or one with Ctrl, presses nothing.
    EXPECT_EQ(RunDialog(question, mkConfirmation, kYesNo,
                        [](TMessageForm&) {
                            Key(Qt::Key_Q);
                            Key(Qt::Key_N, Qt::ControlModifier);
                            Key(Qt::Key_Escape);
                        }),
              mrNo);
}

TEST(MessageDialogTest, OkAloneIsBothDefaultAndCancelButCloseBoxGivesTwo) {
    EXPECT_EQ(RunDialog(texts::kNoMemo, mkConfirmation, kOk, [](TMessageForm&) { Key(Qt::Key_Return); }), mrOk);
    EXPECT_EQ(RunDialog(texts::kNoMemo, mkConfirmation, kOk, [](TMessageForm&) { Key(Qt::Key_Escape); }), mrOk);
    EXPECT_EQ(RunDialog(texts::kNoMemo, mkConfirmation, kOk, [](TMessageForm& form) { form.close(); }), mrCancel);
}

TEST(MessageDialogTest, FocusStartsLeftmostAndMovesWithTabAndArrows) {
    // No is leftmost, OK the default: Enter presses the focused No.
    const TMessageButtons noOk = ButtonSet({mbNo, mbOK});
    EXPECT_EQ(RunDialog(texts::kNoMemo, mkConfirmation, noOk, [](TMessageForm&) { Key(Qt::Key_Return); }), mrNo);
    EXPECT_EQ(RunDialog(texts::kNoMemo, mkConfirmation, noOk,
                        [](TMessageForm&) {
                            Key(Qt::Key_Right);
                            Key(Qt::Key_Return);
                        }),
              mrOk);
    EXPECT_EQ(RunDialog(texts::kNoMemo, mkConfirmation, noOk,
                        [](TMessageForm&) {
                            Key(Qt::Key_Tab);
                            Key(Qt::Key_Return);
                        }),
              mrOk);
    EXPECT_EQ(RunDialog(texts::kNoMemo, mkConfirmation, ButtonSet({mbYes, mbNo, mbCancel}),
                        [](TMessageForm&) {
                            Key(Qt::Key_Down);
                            Key(Qt::Key_Down);
                            Key(Qt::Key_Up);
                            Key(Qt::Key_Return);
                        }),
              mrNo);
}

TEST(MessageDialogTest, EscWithoutCancelButtonAndHelpKeepTheDialogOpen) {
    // Abort/Retry has no cancel button; Help answers nothing.
    bool openAfterEscAndHelp = false;
    EXPECT_EQ(RunDialog(texts::kNoMemo, mkWarning, ButtonSet({mbAbort, mbRetry, mbHelp}),
                        [&](TMessageForm& form) {
                            Key(Qt::Key_Escape);
                            form.Button(mbHelp)->click();
                            Key(Qt::Key_H, Qt::AltModifier);
                            openAfterEscAndHelp = form.isVisible();
                            Key(Qt::Key_R, Qt::AltModifier);
                        }),
              mrRetry);
    EXPECT_TRUE(openAfterEscAndHelp);
}

TEST(MessageDialogTest, KindsGiveCaptionAndSystemIcon) {
    QString informationTitle, confirmationTitle;
    QImage informationIcon, confirmationIcon, expectedInformation, expectedQuestion;
    RunDialog(texts::kDriveNotReady, mkInformation, kOk, [&](TMessageForm& form) {
        informationTitle = form.windowTitle();
        ASSERT_NE(form.Image(), nullptr);
        informationIcon = form.Image()->pixmap().toImage();
        expectedInformation = IconImage(QStyle::SP_MessageBoxInformation, form);
        form.close();
    });
    RunDialog(texts::kNoDriveSelected, mkConfirmation, kOk, [&](TMessageForm& form) {
        confirmationTitle = form.windowTitle();
        ASSERT_NE(form.Image(), nullptr);
        confirmationIcon = form.Image()->pixmap().toImage();
        expectedQuestion = IconImage(QStyle::SP_MessageBoxQuestion, form);
        EXPECT_EQ(form.Image()->geometry().size(), QSize(32, 32));
        form.close();
    });
    EXPECT_EQ(informationTitle, ToQString(texts::Cp932("情報")));
    EXPECT_EQ(confirmationTitle, ToQString(texts::Cp932("確認")));
    EXPECT_FALSE(informationIcon.isNull());
    EXPECT_NE(informationIcon, confirmationIcon);
    EXPECT_EQ(informationIcon.convertToFormat(QImage::Format_ARGB32),
              expectedInformation.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(confirmationIcon.convertToFormat(QImage::Format_ARGB32),
              expectedQuestion.convertToFormat(QImage::Format_ARGB32));
}

TEST(MessageDialogTest, LongTextWrapsWithinHalfTheScreen) {
    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "現在のメモ内容が削除されます。";
    RunDialog(longText, mkConfirmation, kYesNo, [](TMessageForm& form) {
        const int half = form.screen()->geometry().width() / 2;
        const QRect label = form.Message()->geometry();
        const int lineHeight = QFontMetrics(form.font()).lineSpacing();
        EXPECT_LE(label.width(), half);
        EXPECT_GT(label.width(), half - 3 * lineHeight);  // the lines fill the width
        EXPECT_GE(label.height(), 5 * lineHeight);
        // The drawn text needs no more than the label's rectangle.
        const QRect needed =
            QFontMetrics(form.font())
                .boundingRect(QRect(0, 0, label.width(), 0), MessageLabel::kTextFlags, form.Message()->Text());
        EXPECT_LE(needed.height(), label.height());
        EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(form.windowFlags() &
                     (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
        EXPECT_EQ(form.minimumSize(), form.maximumSize());
        form.close();
    });
}

TEST(MessageDialogTest, ShortTextDialogIsTheButtonRowPlusMarginsWithTheRowCentred) {
    RunDialog("?", mkConfirmation, ButtonSet({mbYes, mbNo, mbCancel}), [](TMessageForm& form) {
        const QRect first = form.Button(mbYes)->geometry();
        const QRect last = form.Button(mbCancel)->geometry();
        const int margin = form.Image()->x();
        const int rowWidth = last.x() + last.width() - first.x();
        EXPECT_EQ(form.width(), rowWidth + 2 * margin);
        EXPECT_EQ(first.x(), margin);
        EXPECT_EQ(first.width(), last.width());
        EXPECT_EQ(form.Button(mbNo)->x() - first.x(), last.x() - form.Button(mbNo)->x());
        // The text block is the icon's height: the label starts beside the icon's top.
        const QRect icon = form.Image()->geometry();
        const QRect label = form.Message()->geometry();
        EXPECT_EQ(label.y(), icon.y());
        EXPECT_LT(label.height(), 32);
        EXPECT_GT(first.y(), icon.y() + icon.height());
        EXPECT_GE(label.x(), icon.x() + icon.width());
        form.close();
    });
}

TEST(MessageDialogTest, CentredOnTheScreen) {
    RunDialog(texts::kConfirmReplaceMemo, mkConfirmation, kYesNo, [](TMessageForm& form) {
        const QRect screen = form.screen()->geometry();
        const QRect outer = form.frameGeometry();
        EXPECT_EQ(outer.x(), screen.x() + (screen.width() - outer.width()) / 2);
        EXPECT_EQ(outer.y(), screen.y() + (screen.height() - outer.height()) / 2);
        form.close();
    });
}

TEST(MessageDialogTest, SameButtonsAreMeasuredOnceAndShareTheirWidth) {
    int firstWidth = 0, secondWidth = 0, afterFirst = 0;
    RunDialog(texts::kConfirmReplaceMemo, mkConfirmation, ButtonSet({mbYes, mbNo, mbYesToAll}),
              [&](TMessageForm& form) {
                  firstWidth = form.Button(mbYes)->width();
                  EXPECT_EQ(form.Button(mbNo)->width(), firstWidth);
                  afterFirst = msglayout::ProcessButtonWidths().Measurements();
                  form.close();
              });
    RunDialog(texts::kConfirmReplaceMemo, mkConfirmation, ButtonSet({mbYes, mbNo, mbYesToAll}),
              [&](TMessageForm& form) {
                  secondWidth = form.Button(mbYes)->width();
                  form.close();
              });
    EXPECT_GT(afterFirst, 0);
    EXPECT_EQ(msglayout::ProcessButtonWidths().Measurements(), afterFirst);
    EXPECT_EQ(secondWidth, firstWidth);
}

TEST(MessageDialogTest, ModalOverOtherWindowsWhichGetTheirActivationBack) {
    QWidget main;
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    bool arrowWhileShown = false;
    bool mainBlocked = false;
    RunDialog(texts::kNoMemo, mkConfirmation, kOk, [&](TMessageForm& form) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        arrowWhileShown = cursor && cursor->shape() == Qt::ArrowCursor;
        mainBlocked = form.isModal() && form.windowModality() == Qt::ApplicationModal && !main.isActiveWindow();
        Key(Qt::Key_Return);
    });
    EXPECT_TRUE(arrowWhileShown);
    EXPECT_TRUE(mainBlocked);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<TMessageForm*>(window), nullptr);
}

TEST(MessageDialogTest, AfterTwoDialogsInARowAndAFileDialogTheFocusIsBackWhereItWas) {
    QWidget main;
    auto* field = new QLineEdit(&main);
    new QLineEdit(&main);
    main.show();
    main.activateWindow();
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    // The memo question, then "no drive selected", with nothing in between.
    RunDialog(texts::kConfirmReplaceMemo, mkConfirmation, kYesNo, [](TMessageForm&) { Key(Qt::Key_Return); });
    RunDialog(texts::kNoDriveSelected, mkConfirmation, kOk, [](TMessageForm&) { Key(Qt::Key_Return); });
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(QApplication::focusWidget(), field);

    QFileDialog chooser(&main);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    QTimer::singleShot(100, &chooser, &QDialog::reject);
    chooser.exec();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(QApplication::focusWidget(), field);
}

TEST(MessageDialogTest, ScriptedDialogsAnswerWithoutShowing) {
    ScriptedMessageDialogs script;
    script.AnswerNext(mrNo);
    EXPECT_EQ(AskReplaceMemo(), mrNo);
    EXPECT_EQ(AskReplaceMemo(), mrCancel);
    ShowDriveNotReady();
    ASSERT_EQ(script.calls.size(), 3u);
    EXPECT_EQ(script.calls[2].kind, mkInformation);
    EXPECT_EQ(script.calls[2].buttons, ButtonSet({mbOK}));
    EXPECT_EQ(script.calls[0].text, texts::Cp932(texts::kConfirmReplaceMemo));
}
