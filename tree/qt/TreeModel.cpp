#include "tree/qt/TreeModel.h"

#include <cstdlib>

#include "sjis/qt/QtText.h"

TreeModel::TreeModel(TTreeNodes& nodes, QObject* parent) : QAbstractItemModel(parent), nodes_(nodes) {
    nodes_.SetObserver(this);
}

TreeModel::~TreeModel() { nodes_.SetObserver(nullptr); }

QModelIndex TreeModel::IndexOf(const TTreeNode* node) const {
    return node ? createIndex(node->Index(), 0, const_cast<TTreeNode*>(node)) : QModelIndex();
}

TTreeNode* TreeModel::ChildAt(TTreeNode* parent, int row) const {
    const int count = parent ? parent->Count() : nodes_.TopCount();
    // Start from whichever is nearest: the first child, the last, or the one found last.
    TTreeNode* node = parent ? parent->FirstChild() : nodes_.FirstNode();
    int at = 0;
    if (count - 1 - row < row) {
        node = parent ? parent->LastChild() : nodes_.LastTopNode();
        at = count - 1;
    }
    if (cursor_.node && cursor_.parent == parent && std::abs(cursor_.row - row) < std::abs(at - row)) {
        node = cursor_.node;
        at = cursor_.row;
    }
    for (; at < row; ++at) node = node->NextSibling();
    for (; at > row; --at) node = node->PrevSibling();
    cursor_ = {parent, row, node};
    return node;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || row >= rowCount(parent)) return {};
    return createIndex(row, 0, ChildAt(NodeOf(parent), row));
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    return child.isValid() ? IndexOf(NodeOf(child)->ParentNode()) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return detached_ ? 0 : nodes_.TopCount();
    return parent.column() == 0 ? NodeOf(parent)->Count() : 0;
}

int TreeModel::columnCount(const QModelIndex&) const { return 1; }

bool TreeModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid()) return !detached_ && nodes_.TopCount() > 0;
    return parent.column() == 0 && NodeOf(parent)->HasChildren();
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return ToQString(NodeOf(index)->Text());
}

bool TreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    // Any text is taken as it stands, an empty one included.
    NodeOf(index)->SetText(FromQString(value.toString()));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TreeModel::BeginAppend(TTreeNode* parent, int index) { beginInsertRows(IndexOf(parent), index, index); }

void TreeModel::BeginReset() {
    beginResetModel();
    cursor_ = {};
}

void TreeModel::Detach() {
    if (detached_) return;
    beginResetModel();
    nodes_.SetObserver(nullptr);
    detached_ = true;
    cursor_ = {};
    endResetModel();
}

void TreeModel::Attach() {
    if (!detached_) return;
    beginResetModel();
    detached_ = false;
    nodes_.SetObserver(this);
    endResetModel();
}
