// orvale-tree: the tree text of a folder or a drive, from a shell.
#include "cli/StatusAtOnce.h"
#include "cli/TreeTool.h"

int main(int argc, char* argv[]) {
    return cli::RunWithStatusAtOnce([&] { return cli::RunTreeTool(argc, argv); });
}
