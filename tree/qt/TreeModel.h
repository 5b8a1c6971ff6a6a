#pragma once
#include <QAbstractItemModel>

#include "tree/TTreeNodes.h"

// Shows the store's own nodes to a QTreeView: an index points at its TTreeNode, nothing
// is copied. Rows come from the nodes' places among their siblings.
class TreeModel final : public QAbstractItemModel, private TTreeNodesObserver {
    Q_OBJECT
public:
    TreeModel(TTreeNodes& nodes, QObject* parent);
    ~TreeModel() override;

    static TTreeNode* NodeOf(const QModelIndex& index) { return static_cast<TTreeNode*>(index.internalPointer()); }
    QModelIndex IndexOf(const TTreeNode* node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // While the store is rebuilt elsewhere: the model shows no rows and neither reads nor
    // follows the store. Attach shows the store again with one reset.
    void Detach();
    void Attach();

private:
    void BeginAppend(TTreeNode* parent, int index) override;
    void EndAppend() override { endInsertRows(); }
    void BeginReset() override;
    void EndReset() override { endResetModel(); }
    TTreeNode* ChildAt(TTreeNode* parent, int row) const;

    TTreeNodes& nodes_;
    // The child found last: the view asks for neighbouring rows one after another.
    struct Cursor {
        const TTreeNode* parent = nullptr;
        int row = -1;
        TTreeNode* node = nullptr;
    };
    mutable Cursor cursor_;
    bool detached_ = false;
};
