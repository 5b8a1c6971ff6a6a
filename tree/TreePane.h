#pragma once
// The folder tree pane as the handlers meet it: its store, and the store lent to work on
// another thread. Each window's TTreeView is one.
#include "tree/TTreeNodes.h"

class TreePane {
public:
    virtual ~TreePane() = default;
    // The store: the pane shows exactly its nodes.
    virtual TTreeNodes& Items() = 0;
    // While work on another thread uses the store (see StoreLoan): an open label edit ends
    // first, its text kept, and no new one starts. For work that `rebuild`s the store the
    // pane shows no rows and leaves the store alone meanwhile.
    virtual void Lend(bool rebuild) = 0;
    // The store is back: the pane shows it as it is now.
    virtual void TakeBack() = 0;
};

// Lends the pane's store for the life of the object.
class StoreLoan {
public:
    enum Use { kRead, kRebuild };
    StoreLoan(TreePane& pane, Use use) : pane_(pane) { pane_.Lend(use == kRebuild); }
    ~StoreLoan() { pane_.TakeBack(); }
    StoreLoan(const StoreLoan&) = delete;
    StoreLoan& operator=(const StoreLoan&) = delete;

private:
    TreePane& pane_;
};
