#pragma once
#include <QTreeView>

#include "tree/TreePane.h"

class TreeModel;

// The folder tree pane: shows exactly the nodes of its store, lets the user edit a label
// in place, and shows a label that does not fit in a hover tip.
class TTreeView : public QTreeView, public TreePane {
    Q_OBJECT
public:
    explicit TTreeView(QWidget* parent = nullptr);
    ~TTreeView() override;

    TTreeNodes& Items() override { return items_; }
    TreeModel& Model() { return *model_; }

    // What the hover tip shows over a node: empty while its whole label is visible; a
    // label of 80 characters or more is cut to its first 79.
    QString TipText(const QModelIndex& index) const;

    using QTreeView::edit;

    // While work on another thread uses the store (see StoreLoan).
    void Lend(bool rebuild) override;
    void TakeBack() override;

    static constexpr int kIndent = 19;
    static constexpr int kTipLimit = 80;

protected:
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

private:
    void EndLabelEdit();

    TTreeNodes items_;
    TreeModel* model_;
    QPersistentModelIndex edited_;  // the node whose label is being edited
    bool lent_ = false;
};
