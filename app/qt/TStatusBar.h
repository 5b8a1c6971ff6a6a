#pragma once
// The status bar: one text across the bar and the count field at its right.
#include <QStatusBar>

#include "app/StatusBarPane.h"

class QLabel;

class TStatusBar : public QStatusBar, public StatusBarPane {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    void ShowText(std::string_view cp932) override;
    void PaintNow() override { repaint(); }
    void ShowCount(std::string_view cp932) override;
    void HideCount() override;

private:
    QLabel* label_;
    QLabel* count_;
};
