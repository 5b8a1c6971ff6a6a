#include "text/TMemo.h"

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {}
void TMemo::ClearLines() {}
int TMemo::AppendLine(std::string_view) { return 0; }
int TMemo::LineCount() const { return 0; }
std::string TMemo::LineAt(int) const { return {}; }
std::string TMemo::FullText() const { return {}; }
