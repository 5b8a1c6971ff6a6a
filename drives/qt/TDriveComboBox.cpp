#include <QAbstractItemView>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "drives/qt/DrivePictures.h"
#include "drives/qt/DriveRowDelegate.h"
#include "drives/qt/FileCtrl.h"
#include "sjis/qt/QtText.h"

namespace {

constexpr int kVisibleRows = 8;

// Styles that open a combo box's list as a menu over the field ignore the row limit;
// this one always drops the list below the field.
class DropDownListStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

bool IsCloseKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Enter || key.key() == Qt::Key_Return || key.key() == Qt::Key_Escape;
}

bool IsListMove(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
    switch (key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: return true;
        default: return !key.text().isEmpty() && key.text().at(0).isPrint();
    }
}

}  // namespace

TDriveComboBox::TDriveComboBox(QWidget* parent)
    : QComboBox(parent),
      pictures_(std::make_unique<DrivePictures>()),
      listStyle_(std::make_unique<DropDownListStyle>()) {
    setEditable(false);
    setMaxVisibleItems(kVisibleRows);
    setStyle(listStyle_.get());
    setItemDelegate(new DriveRowDelegate(*this));
    view()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this] { Pick(); });
    FitItemHeight();
}

TDriveComboBox::~TDriveComboBox() = default;

void TDriveComboBox::AddItem(const drives::DriveItem& item) {
    addItem(ToQString(item.text), static_cast<int>(item.picture));
}

std::string TDriveComboBox::ItemText(int row) const { return FromQString(itemText(row)); }

void TDriveComboBox::FitItemHeight() {
    fittedFont_ = font();
    itemHeight_ = std::max(QFontMetrics(font()).height(), pictures_->MinimumRowHeight());
    view()->doItemsLayout();
}

const QPixmap* TDriveComboBox::PictureAt(int row) const {
    const QVariant picture = itemData(row);
    if (!picture.isValid()) return nullptr;
    return &pictures_->Picture(static_cast<drives::DrivePicture>(picture.toInt()));
}

void TDriveComboBox::RaiseClick() {
    if (OnClick) OnClick(this);
}

void TDriveComboBox::RaiseChange() {
    if (OnChange) OnChange(this);
}

void TDriveComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() < 0) {
        painter.fillRect(field, palette().color(QPalette::Base));
        return;
    }
    // The closed field shows its row selected while the box has the focus.
    const DriveRow row{itemText(currentIndex()), PictureAt(currentIndex()), hasFocus(), hasFocus()};
    DrawDriveRow(painter, field, row, *this);
}

void TDriveComboBox::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() != QEvent::FontChange || font() == fittedFont_) return;
    FitItemHeight();
    RecreateIfMade();
}

bool TDriveComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view()) return QComboBox::eventFilter(watched, event);
    // The popup takes Enter as a pick before the key arrives; here it only closes the list.
    if (event->type() == QEvent::ShortcutOverride && IsCloseKey(*static_cast<QKeyEvent*>(event))) return true;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsCloseKey(*key)) {
            hidePopup();
            return true;
        }
        if (IsListMove(*key)) {
            MoveInOpenList(key);
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

// In the open list each keyboard move takes the row at once, as a pick.
void TDriveComboBox::MoveInOpenList(QKeyEvent* key) {
    QObject* list = view();
    list->event(key);  // the list's own keyboard handling, without the popup's filters
    const int row = view()->currentIndex().row();
    if (row >= 0 && row != currentIndex()) {
        setCurrentIndex(row);
        Pick();
    }
}
