// orvale-tree: the tree text of a folder or a drive, from a shell.
#include "cli/TreeTool.h"

int main(int argc, char* argv[]) { return cli::RunTreeTool(argc, argv); }
