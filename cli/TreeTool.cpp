#include "cli/TreeTool.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Messages.h"
#include "cli/ScanProgress.h"
#include "cli/ShellDesktop.h"
#include "cli/Terminal.h"
#include "cli/TreeOptions.h"
#include "cli/TreeOutput.h"
#include "cli/TreeSpelling.h"
#include "platform/Platform.h"
#include "resources/Texts.h"
#include "save/SaveError.h"
#include "text/LineRules.h"
#include "tree/FolderScan.h"
#include "tree/ScanRoot.h"
#include "tree/TTreeNodes.h"

namespace cli {

namespace {

constexpr std::size_t kStreamBuffer = 64 * 1024;

// The encoding of the tree text: as asked; else what the terminal reads when the text goes
// to one; else code page 932, the program's own, for files and pipes.
TextEncoding OutputEncoding(const TreeOptions& options) {
    if (options.encoding) return *options.encoding;
    if (!options.output && IsTerminal(stdout)) return TerminalEncoding();
    return TextEncoding::kCp932;
}

std::optional<ScanRoot> FindRoot(platform::Platform& os, const TreeOptions& options, const Messages& messages) {
    if (options.drive) {
        std::optional<ScanRoot> root = DriveScanRoot(os, options.drive);
        if (!root) messages.Error(messages.Text(texts::kDriveNotReady));
        return root;
    }
    const std::string folder = options.folder.value_or(".");
    std::optional<ScanRoot> root = FolderScanRoot(os, folder);
    if (!root) messages.Error(messages.Fill(texts::kCannotOpenFolder, {messages.Name(folder)}));
    return root;
}

// Scans as the window does, with a line of progress on a terminal's standard error.
void Scan(platform::Platform& os, ShellDesktop& desktop, const ScanRoot& root, const TreeOptions& options,
          const Messages& messages, TTreeNodes& nodes, bool& interrupted) {
    std::unique_ptr<ScanProgress> progress;
    if (IsTerminal(stderr)) {
        progress = std::make_unique<ScanProgress>(nodes, messages, stderr);
        progress->Show();
        desktop.onPoll = [&progress] { progress->Poll(); };
    }
    FolderScan scan(nodes, os.files, desktop, interrupted);
    if (options.depth > 0) scan.LimitDepth(options.depth);
    scan.Run(root.text, root.nativePath);
    desktop.onPoll = nullptr;
}

// Writes the tree text where the options say; the exit status, failures told.
int Write(const TreeOptions& options, const TreeWriting& writing, const Messages& messages) {
    try {
        if (!options.output) {
            if (WriteTreeText(stdout, writing)) return kDone;
            messages.Error(messages.Text(texts::kStreamWriteError));
            return kFailed;
        }
        SaveTree(save::SavePath::FromNative(*options.output), options.outputFormat, writing);
        return kDone;
    } catch (const WriteStopped&) {
        messages.Error(messages.Text(texts::kTreeWriteStopped));
        return kInterrupted;
    } catch (const save::SaveError& error) {
        const bool html = options.outputFormat == save::SaveFormat::kHtml;
        messages.Error(messages.Text(html ? texts::kSaveHtmlFailed : texts::kSaveTextFailed) + " " +
                       messages.FromCp932(error.what()));
        return kFailed;
    }
}

int Usage(const UsageError& error, const Messages& messages) {
    messages.Error(messages.Fill(error.text, {messages.Name(error.argument)}) + "　" +
                   messages.Text(texts::kTreeUsage));
    return kUsage;
}

// Scans and writes; the exit status.
int ScanAndWrite(const TreeOptions& options, platform::Platform& native, const Messages& messages) {
    ShellDesktop desktop;
    platform::Platform machine{native.drives, native.files, desktop, native.saves};
    platform::Install(&machine);
    struct Uninstall {
        ~Uninstall() { platform::Install(nullptr); }
    } uninstall;
    const std::optional<ScanRoot> root = FindRoot(machine, options, messages);
    if (!root) return kFailed;

    TTreeNodes nodes;
    bool interrupted = false;
    Scan(machine, desktop, *root, options, messages, nodes, interrupted);

    const TreeSpelling spelling(machine.files, *root, OutputEncoding(options));
    std::setvbuf(stdout, nullptr, _IOFBF, kStreamBuffer);
    // A Ctrl+C after a whole scan stops the writing instead; after a cut scan the writing
    // goes on, and a second Ctrl+C ends the program.
    const TreeWriting writing{nodes, spelling, options.memoLimit ? linerules::kMaxLength : SIZE_MAX,
                              [interrupted] { return !interrupted && ShellDesktop::Interrupted(); }};
    const int status = Write(options, writing, messages);
    if (status != kDone) return status;
    if (interrupted) {
        messages.Error(messages.Text(texts::kScanInterrupted));
        return kInterrupted;
    }
    return kDone;
}

}  // namespace

int RunTreeTool(const std::vector<std::string>& arguments) {
    PrepareTerminal();
    platform::Platform& native = platform::NativePlatform();
    const Messages messages(TerminalEncoding(), native.files);
    const ParsedOptions parsed = ParseTreeOptions(arguments);
    if (parsed.error) return Usage(*parsed.error, messages);
    const TreeOptions& options = parsed.options;
    if (options.help || options.version) {
        Messages::Put(stdout, options.help ? messages.Text(texts::kTreeHelp) : "orvale-tree " ORVALE_VERSION "\n");
        return std::fflush(stdout) == 0 ? kDone : kFailed;
    }
    try {
        return ScanAndWrite(options, native, messages);
    } catch (const std::exception& failure) {
        // The store refusing a node, memory running out: told, as the window's error box tells it.
        messages.Error(messages.FromCp932(failure.what()));
        return kFailed;
    }
}

}  // namespace cli
