#include "dialogs/qt/TMessageForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "dialogs/MessageKinds.h"
#include "dialogs/MessageLayout.h"
#include "dialogs/qt/MessageLabel.h"
#include "resources/Texts.h"
#include "sjis/qt/QtText.h"

namespace {

QString Text(std::string_view utf8) { return ToQString(texts::Cp932(utf8)); }

QString WithoutMnemonic(QString caption) {
    // "&&" stands for a shown "&"; a single "&" only marks the next character.
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// The character after a caption's single "&", upper-cased; null when it has none.
QChar Accelerator(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] != QLatin1Char('&')) return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

// The character a key press types, upper-cased; Alt may leave the event's text empty.
QChar TypedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return QChar(key);
    return event.text().isEmpty() ? QChar() : event.text().front().toUpper();
}

QScreen* ScreenOfActiveWindow() {
    if (QWidget* active = QApplication::activeWindow())
        if (QScreen* screen = active->screen()) return screen;
    return QGuiApplication::primaryScreen();
}

// Outer minus client size as far as the window system tells before the window is shown
// (a window manager may only report it once the window is mapped: then it is 0).
msglayout::Size FrameExtra(QWidget& window) {
    const QMargins margins = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
    return {margins.left() + margins.right(), margins.top() + margins.bottom()};
}

struct ArrowCursor {
    ArrowCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowCursor() { QGuiApplication::restoreOverrideCursor(); }
    ArrowCursor(const ArrowCursor&) = delete;
    ArrowCursor& operator=(const ArrowCursor&) = delete;
};

QRect ToQRect(const msglayout::Rect& r) { return {r.left, r.top, r.width, r.height}; }

}  // namespace

std::optional<QStyle::StandardPixmap> TMessageForm::IconOf(TMessageKind kind) {
    switch (kind) {
        case mkWarning: return QStyle::SP_MessageBoxWarning;
        case mkError: return QStyle::SP_MessageBoxCritical;
        case mkInformation: return QStyle::SP_MessageBoxInformation;
        case mkConfirmation: return QStyle::SP_MessageBoxQuestion;
        case mkCustom: break;
    }
    return std::nullopt;
}

TMessageForm::TMessageForm(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      helpContext_(helpContext) {
    setFont(QApplication::font("QMessageBoxLabel"));
    setWindowModality(Qt::ApplicationModal);
    QScreen* screen = ScreenOfActiveWindow();
    if (screen) setScreen(screen);
    winId();  // the native window, so its frame can be asked for

    const QFontMetrics metrics(font());
    const QString message = ToQString(text);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 640, 480);

    msglayout::Measures measures;
    measures.letters = {metrics.horizontalAdvance(letters), metrics.height()};
    measures.screen = {screenRect.left(), screenRect.top(), screenRect.width(), screenRect.height()};
    measures.frame = FrameExtra(*this);
    measures.text = [&](int wrapWidth) {
        const QRect box = metrics.boundingRect(QRect(0, 0, wrapWidth, 0), MessageLabel::kTextFlags, message);
        return msglayout::Size{box.width(), box.height()};
    };
    measures.caption = [&](TMessageButton button) {
        const QString caption = WithoutMnemonic(Text(ButtonKindOf(button).caption));
        return metrics.boundingRect(QRect(), Qt::TextSingleLine, caption).width();
    };
    const msglayout::Layout layout =
        msglayout::LayOut(measures, IconOf(kind).has_value(), buttons, msglayout::ProcessButtonWidths());

    setWindowTitle(Text(KindCaption(kind)));
    setFixedSize(layout.client.width, layout.client.height);
    if (layout.icon) {
        image_ = new QLabel(this);
        image_->setObjectName(QStringLiteral("Image"));
        image_->setPixmap(style()->standardIcon(*IconOf(kind), nullptr, this).pixmap(msglayout::kIconSize));
        image_->setGeometry(ToQRect(*layout.icon));
    }
    message_ = new MessageLabel(message, this);
    message_->setGeometry(ToQRect(layout.label));
    for (const msglayout::PlacedButton& placed : layout.buttons) AddButton(placed.kind, ToQRect(placed.rect));
    if (layout.defaultButton) Button(*layout.defaultButton)->setDefault(true);
    cancel_ = layout.cancelButton;
    if (!buttons_.empty()) buttons_.front().second->setFocus();
    move(layout.left, layout.top);
}

void TMessageForm::AddButton(TMessageButton kind, const QRect& rect) {
    const MessageButtonKind& info = ButtonKindOf(kind);
    auto* button = new QPushButton(Text(info.caption), this);
    // Accelerators are pressed by keyPressEvent, alone or with Alt, so Qt's own
    // shortcut (which only focuses among equal letters) stays out of the way.
    button->setShortcut(QKeySequence());
    button->setObjectName(QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size())));
    button->setAutoDefault(true);
    button->setGeometry(rect);
    const int result = info.modalResult;
    // The Help button would ask the help system for HelpContext(); there is none, and
    // its result 0 keeps the dialog open.
    if (result != mrNone) connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    buttons_.emplace_back(kind, button);
}

QPushButton* TMessageForm::Button(TMessageButton kind) const {
    for (const auto& [k, button] : buttons_)
        if (k == kind) return button;
    return nullptr;
}

// The window active before gets the focus back through DialogFocus, as after every dialog.
int TMessageForm::ShowModal() {
    const ArrowCursor arrow;
    return exec();
}

void TMessageForm::reject() { done(mrCancel); }

bool TMessageForm::PressAccelerator(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers() & ~Qt::KeypadModifier;
    if (held & ~(Qt::ShiftModifier | Qt::AltModifier)) return false;
    const QChar typed = TypedCharacter(event);
    if (typed.isNull()) return false;
    for (const auto& [kind, button] : buttons_) {
        if (Accelerator(button->text()) == typed) {
            button->click();
            return true;
        }
    }
    return false;
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Escape && held == Qt::NoModifier) {
        // Not QDialog's reject(): that is the close command's 2.
        if (cancel_) Button(*cancel_)->click();
        return;
    }
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && held == Qt::NoModifier) {
        focusNextPrevChild(event->key() == Qt::Key_Down);
        return;
    }
    if (PressAccelerator(*event)) return;
    QDialog::keyPressEvent(event);
}
