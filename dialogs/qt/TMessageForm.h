#pragma once
#include <QDialog>
#include <QStyle>
#include <optional>
#include <string_view>
#include <vector>

#include "dialogs/MessageDialog.h"

class QPushButton;
class QLabel;
class MessageLabel;

// The message dialog window: fixed frame with a close box only, the kind's icon, the
// word-wrapped text and one button per kind in the set, sized and placed by msglayout.
class TMessageForm : public QDialog {
    Q_OBJECT
public:
    // `text` is code page 932.
    TMessageForm(std::string_view text, TMessageKind kind, TMessageButtons buttons, int helpContext);

    // Shows the dialog modally and returns the pressed button's result, 2 when closed.
    int ShowModal();

    int HelpContext() const { return helpContext_; }
    QPushButton* Button(TMessageButton kind) const;
    QLabel* Image() const { return image_; }
    MessageLabel* Message() const { return message_; }
    std::optional<TMessageButton> CancelKind() const { return cancel_; }

    // The system icon of a kind (mkCustom has none).
    static std::optional<QStyle::StandardPixmap> IconOf(TMessageKind kind);

public slots:
    // The window's close command: 2, whatever the buttons.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddButton(TMessageButton kind, const QRect& rect);
    bool PressAccelerator(const QKeyEvent& event);

    int helpContext_;
    QLabel* image_ = nullptr;
    MessageLabel* message_ = nullptr;
    std::vector<std::pair<TMessageButton, QPushButton*>> buttons_;
    std::optional<TMessageButton> cancel_;
};
