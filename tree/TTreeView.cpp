#include "tree/TTreeView.h"

TTreeView::TTreeView(QWidget* parent) : QTreeView(parent) { setIndentation(19); }
