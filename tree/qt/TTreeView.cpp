#include "tree/qt/TTreeView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include "tree/qt/TreeModel.h"

TTreeView::TTreeView(QWidget* parent) : QTreeView(parent), model_(new TreeModel(items_, this)) {
    setModel(model_);
    setHeaderHidden(true);
    setIndentation(kIndent);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(true);
    setSortingEnabled(false);
    setUniformRowHeights(true);  // rows need not be measured one by one in a large tree
    setAnimated(false);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(false);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMouseTracking(false);
    // The selection shows only while the pane has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
}

TTreeView::~TTreeView() { setModel(nullptr); }

QString TTreeView::TipText(const QModelIndex& index) const {
    if (!index.isValid()) return {};
    const QString label = index.data(Qt::DisplayRole).toString();
    const QRect shown = visualRect(index).intersected(viewport()->rect());
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int needed = fontMetrics().horizontalAdvance(label) + 2 * margin;
    if (visualRect(index).left() >= 0 && needed <= shown.width()) return {};
    return label.size() >= kTipLimit ? label.left(kTipLimit - 1) : label;
}

bool TTreeView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTreeView::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString tip = TipText(index);
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
    return true;
}

void TTreeView::mousePressEvent(QMouseEvent* event) {
    // A right click neither selects nor opens anything.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

bool TTreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (lent_) return false;
    const bool editing = QTreeView::edit(index, trigger, event);
    if (editing && state() == EditingState) edited_ = index;
    return editing;
}

void TTreeView::EndLabelEdit() {
    if (state() != EditingState) return;
    QWidget* editor = indexWidget(edited_.isValid() ? QModelIndex(edited_) : currentIndex());
    if (!editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TTreeView::Lend(bool rebuild) {
    EndLabelEdit();
    lent_ = true;
    if (rebuild) model_->Detach();
}

void TTreeView::TakeBack() {
    lent_ = false;
    model_->Attach();
}

// Dotted lines joining each node to its parent and siblings, and a boxed +/- at every node
// with the has-children mark, drawn the same under every style.
void TTreeView::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    const TTreeNode* node = TreeModel::NodeOf(index);
    if (!node) return;
    painter->save();
    QPen dotted(palette().color(QPalette::Mid));
    dotted.setStyle(Qt::DotLine);
    painter->setPen(dotted);
    const int middleY = rect.top() + rect.height() / 2;
    const int own = rect.right() + 1 - kIndent;
    const int middleX = own + kIndent / 2;

    painter->drawLine(middleX, middleY, own + kIndent - 2, middleY);
    const bool first = !node->ParentNode() && !node->PrevSibling();
    painter->drawLine(middleX, first ? middleY : rect.top(), middleX, node->NextSibling() ? rect.bottom() : middleY);
    int columnX = own - kIndent;
    for (const TTreeNode* ancestor = node->ParentNode(); ancestor;
         ancestor = ancestor->ParentNode(), columnX -= kIndent)
        if (ancestor->NextSibling())
            painter->drawLine(columnX + kIndent / 2, rect.top(), columnX + kIndent / 2, rect.bottom());

    if (node->HasChildren()) {
        const QRect box(middleX - 4, middleY - 4, 8, 8);
        painter->fillRect(box, palette().color(QPalette::Base));
        painter->setPen(palette().color(QPalette::Dark));
        painter->drawRect(box);
        painter->setPen(palette().color(QPalette::Text));
        painter->drawLine(box.left() + 2, middleY, box.right() - 2, middleY);
        if (!isExpanded(index)) painter->drawLine(middleX, box.top() + 2, middleX, box.bottom() - 2);
    }
    painter->restore();
}
