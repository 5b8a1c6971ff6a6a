#pragma once
#include <QTreeView>

#include "tree/TTreeNodes.h"

class TTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit TTreeView(QWidget* parent = nullptr);
    TTreeNodes& Items() { return items_; }

private:
    TTreeNodes items_;
};
