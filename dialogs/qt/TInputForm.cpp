#include "dialogs/qt/TInputForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "dialogs/InputLayout.h"
#include "dialogs/MessageKinds.h"
#include "resources/Texts.h"
#include "sjis/qt/QtText.h"

namespace {

QString Caption(TMessageButton kind) { return ToQString(texts::Cp932(ButtonKindOf(kind).caption)); }

QRect ToQRect(const msglayout::Rect& r) { return {r.left, r.top, r.width, r.height}; }

QScreen* ScreenOfActiveWindow() {
    if (QWidget* active = QApplication::activeWindow())
        if (QScreen* screen = active->screen()) return screen;
    return QGuiApplication::primaryScreen();
}

}  // namespace

TInputForm::TInputForm(const InputDialog& dialog)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint) {
    setFont(QApplication::font("QMessageBoxLabel"));
    setWindowModality(Qt::ApplicationModal);
    QScreen* screen = ScreenOfActiveWindow();
    if (screen) setScreen(screen);
    winId();  // the native window, so its frame can be asked for

    const QFontMetrics metrics(font());
    const QString prompt = ToQString(dialog.Prompt());
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 640, 480);
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    inputlayout::Measures measures;
    measures.letters = {
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height()};
    measures.screen = {screenRect.left(), screenRect.top(), screenRect.width(), screenRect.height()};
    measures.frame = {frame.left() + frame.right(), frame.top() + frame.bottom()};
    measures.prompt = {metrics.horizontalAdvance(prompt), metrics.height()};
    measures.caption = [&](TMessageButton kind) { return metrics.horizontalAdvance(Caption(kind)); };
    const inputlayout::Layout layout =
        inputlayout::LayOut(measures, dialog.LineKind(), msglayout::ProcessButtonWidths());

    setWindowTitle(ToQString(dialog.Caption()));
    setFixedSize(layout.client.width, layout.client.height);
    prompt_ = new QLabel(prompt, this);
    prompt_->setObjectName(QStringLiteral("Prompt"));
    prompt_->setTextFormat(Qt::PlainText);
    prompt_->setGeometry(ToQRect(layout.prompt));

    QString text = ToQString(dialog.Text());
    QWidget* box = nullptr;
    if (dialog.LineKind() == InputDialog::kOneLine) {
        line_ = new QLineEdit(text, this);
        line_->selectAll();
        box = line_;
    } else {
        lines_ = new QPlainTextEdit(this);
        lines_->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
        lines_->setTabChangesFocus(true);
        lines_->moveCursor(QTextCursor::End);
        lines_->installEventFilter(this);
        box = lines_;
    }
    box->setObjectName(QStringLiteral("Box"));
    box->setGeometry(ToQRect(layout.box));

    ok_ = new QPushButton(Caption(mbOK), this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setGeometry(ToQRect(layout.ok));
    ok_->setDefault(true);
    cancel_ = new QPushButton(Caption(mbCancel), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    cancel_->setGeometry(ToQRect(layout.cancel));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(box, ok_);
    setTabOrder(ok_, cancel_);
    box->setFocus();
    move(layout.left, layout.top);
}

QString TInputForm::Text() const {
    if (line_) return line_->text();
    return lines_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

bool TInputForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lines_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
