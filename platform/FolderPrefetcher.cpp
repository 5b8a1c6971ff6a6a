#include "platform/posix/FolderPrefetcher.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <new>
#include <system_error>

#include "platform/Attributes.h"
#include "platform/posix/ListingWait.h"
#include "platform/posix/OpenFolder.h"
#include "platform/posix/ReadEntries.h"

namespace platform {

namespace {

constexpr std::size_t kBufferBytes = 32 * 1024;
// Descriptors kept open so that subfolders can be opened from their parent: up to this
// many, and beyond that every kCheckpoint-th level, from which deeper ones are reached by
// relative paths. A deep chain therefore cannot use up descriptors.
constexpr std::size_t kHeldFds = 64;
constexpr std::uint32_t kCheckpoint = 32;
// So many slow reads among the walk's last 64 start the pool: a read held up by the
// scheduler now and then does not.
constexpr int kSlowReadsToStart = 3;

enum class State { kWaiting, kReading, kRead, kUnreadable, kNotRead, kTaken };

}  // namespace

struct FolderPrefetcher::Folder {
    std::string name;
    Folder* parent = nullptr;
    std::uint32_t depth = 0;
    std::uint32_t index = 0;  // among the parent's subfolders
    State state = State::kWaiting;
    bool ahead = false;  // started by the pool and not yet taken
    bool pending = false;
    bool left = false;
    bool abandoned = false;
    int fd = -1;
    int borrowers = 0;  // reads under way that open a path from `fd`
    std::size_t countedBytes = 0;
    std::shared_ptr<const FolderEntries> entries;  // kept until every subfolder is made
    std::vector<std::uint32_t> subfolders;         // entry numbers of the subfolders, in order
    std::vector<std::unique_ptr<Folder>> made;     // the first made.size() of them
    std::size_t entered = 0;                       // where the walk's next Enter is looked for

    ~Folder() {
        if (fd >= 0) ::close(fd);
    }
    bool AllMade() const { return made.size() == subfolders.size(); }
    std::size_t Bytes() const {
        return sizeof(Folder) + (name.capacity() > 15 ? name.capacity() + 1 : 0) +
               subfolders.capacity() * sizeof(std::uint32_t) + made.capacity() * sizeof(made[0]) +
               (entries ? entries->Bytes() + sizeof(FolderEntries) : 0);
    }
};

namespace {

using Folder = FolderPrefetcher::Folder;

// Whether the subfolders still to come of `a` come before those of `b` in the walk's
// order: a folder's pending subfolders follow everything below its earlier ones, so a
// folder below another goes first; otherwise the walk's pre-order decides.
bool PendingBefore(const Folder* a, const Folder* b) {
    while (a->depth > b->depth) {
        a = a->parent;
        if (a == b) return true;
    }
    while (b->depth > a->depth) {
        b = b->parent;
        if (b == a) return false;
    }
    while (a->parent != b->parent) a = a->parent, b = b->parent;
    return a->index < b->index;
}

bool Later(const Folder* a, const Folder* b) { return PendingBefore(b, a); }

// Visits a folder and everything made below it, without recursion: chains can be deep.
bool HasMadeChildren(const Folder* folder) {
    return std::any_of(folder->made.begin(), folder->made.end(), [](const auto& child) { return bool(child); });
}

template <typename Visit>
void ForEachBelow(Folder* top, Visit visit) {
    if (!HasMadeChildren(top)) return visit(top);  // as the walk leaves folders: nothing below is left
    std::vector<Folder*> stack{top};
    while (!stack.empty()) {
        Folder* folder = stack.back();
        stack.pop_back();
        visit(folder);
        for (const auto& child : folder->made)
            if (child) stack.push_back(child.get());
    }
}

void Destroy(std::unique_ptr<Folder> top) {
    if (!top || !HasMadeChildren(top.get())) return;
    std::vector<std::unique_ptr<Folder>> stack;
    stack.push_back(std::move(top));
    while (!stack.empty()) {
        std::unique_ptr<Folder> folder = std::move(stack.back());
        stack.pop_back();
        for (auto& child : folder->made)
            if (child) stack.push_back(std::move(child));
    }
}

bool IsDots(std::string_view name) { return name == "." || name == ".."; }

}  // namespace

FolderPrefetcher::FolderPrefetcher(std::string nativeRoot, ReadAheadLimits limits)
    : nativeRoot_(std::move(nativeRoot)),
      limits_(limits),
      root_(std::make_unique<Folder>()),
      poolWanted_(limits.slowRead.count() == 0),
      blockCountsKept_(::access("/proc/self/io", R_OK) == 0) {
    struct rusage usage {};
    if (::getrusage(RUSAGE_THREAD, &usage) == 0) {
        blocksRead_ = usage.ru_inblock;
        sleeps_ = usage.ru_nvcsw;
    }
}

FolderPrefetcher::~FolderPrefetcher() {
    {
        const Lock lock(mutex_);
        stopping_ = true;
    }
    workWanted_.notify_all();
    for (std::thread& thread : pool_) thread.join();
    Destroy(std::move(root_));
}

std::size_t FolderPrefetcher::PeakBytes() const {
    const Lock lock(mutex_);
    return peakBytes_;
}

// The pool starts once the walk's own reads show that they wait for the disk: with the
// folders in memory threads bring nothing, so a warm scan never starts them. Only reads
// past the short bound pay for asking the kernel how they went.
void FolderPrefetcher::NoteReadTime(std::chrono::steady_clock::duration took) {
    ListingSigns signs;
    if (took >= limits_.slowRead) {
        struct rusage usage {};
        if (::getrusage(RUSAGE_THREAD, &usage) == 0) {
            if (blockCountsKept_) signs.readBlocks = usage.ru_inblock > blocksRead_;
            signs.slept = usage.ru_nvcsw > sleeps_;
            blocksRead_ = usage.ru_inblock;
            sleeps_ = usage.ru_nvcsw;
        }
    }
    slowReads_ = slowReads_ << 1 | (ListingWaited(took, limits_.slowRead, signs) ? 1u : 0u);
    if (std::popcount(slowReads_) >= kSlowReadsToStart) poolWanted_ = true;
}

void FolderPrefetcher::Start() {
    if (!pool_.empty() || !limits_.threads) return;
    {
        // Nothing was queued while the walk read alone: what it read tells what comes next.
        const Lock lock(mutex_);
        pooled_ = true;
        ForEachBelow(root_.get(), [&](Folder* folder) {
            if ((folder->state == State::kRead || folder->state == State::kTaken) && !folder->AllMade())
                PushPending(folder);
        });
    }
    try {
        for (std::size_t i = 0; i < limits_.threads; ++i) pool_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // Fewer threads than asked: the ones there are read ahead, the walk reads the rest.
    }
}

void FolderPrefetcher::Count(Folder* folder) {
    const std::size_t bytes = folder->Bytes();
    bytes_ += bytes;
    bytes_ -= folder->countedBytes;
    folder->countedBytes = bytes;
    peakBytes_ = std::max(peakBytes_, bytes_);
}

bool FolderPrefetcher::RoomAhead() const {
    return !stopping_ && !disabled_ && ahead_ < limits_.foldersAhead && bytes_ < limits_.bytesAhead;
}

// The pool, once held back by the bound, resumes only when a quarter of it is free again:
// one wake-up per batch of folders rather than one per folder.
void FolderPrefetcher::WakePoolIfRoom() {
    if (!poolThrottled_) return;
    if (ahead_ + limits_.foldersAhead / 4 > limits_.foldersAhead) return;
    if (bytes_ + limits_.bytesAhead / 4 > limits_.bytesAhead) return;
    poolThrottled_ = false;
    workWanted_.notify_all();
}

void FolderPrefetcher::Work() {
    Lock lock(mutex_, std::defer_lock);
    Folder* folder = nullptr;
    try {
        std::vector<char> buffer(kBufferBytes);
        lock.lock();
        while (!stopping_) {
            folder = NextToRead();
            if (!folder) {
                if (!RoomAhead()) poolThrottled_ = true;
                ++idle_;
                workWanted_.wait(lock);
                --idle_;
                continue;
            }
            if (idle_ && !pending_.empty() && RoomAhead()) workWanted_.notify_one();
            Read(folder, buffer, lock);
            folder = nullptr;
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: the pool stops reading ahead and the walk reads the rest itself.
        if (!lock.owns_lock()) lock.lock();
        disabled_ = true;
        if (folder && folder->state == State::kReading) {
            folder->state = State::kNotRead;
            if (folder->ahead) {
                folder->ahead = false;
                --ahead_;
            }
            folderRead_.notify_all();
        }
    }
}

Folder* FolderPrefetcher::NextToRead() {
    while (RoomAhead() && !pending_.empty()) {
        Folder* parent = pending_.front();
        if (parent->AllMade()) {
            PopPending();
            continue;
        }
        Folder* folder = MakeChild(parent);
        if (parent->AllMade()) PopPending();
        folder->state = State::kReading;
        folder->ahead = true;
        ++ahead_;
        return folder;
    }
    return nullptr;
}

Folder* FolderPrefetcher::MakeChild(Folder* parent) {
    auto child = std::make_unique<Folder>();
    child->name = parent->entries->Name(parent->subfolders[parent->made.size()]);
    child->parent = parent;
    child->depth = parent->depth + 1;
    child->index = std::uint32_t(parent->made.size());
    Folder* made = child.get();
    parent->made.push_back(std::move(child));
    // Names come from the listing: once every subfolder is made the listing can go.
    if (parent->AllMade() && parent->state == State::kTaken) parent->entries.reset();
    Count(made);
    Count(parent);
    return made;
}

// Opens and reads a folder; the lock is let go around the system calls.
void FolderPrefetcher::Read(Folder* folder, std::vector<char>& buffer, Lock& lock) {
    Folder* base = folder->parent;
    std::string relative;
    if (base) {
        // Every folder whose descriptor is held lies on the way up; the root's always is.
        while (base->fd < 0) base = base->parent;
        std::vector<const Folder*> way;
        for (const Folder* step = folder; step != base; step = step->parent) way.push_back(step);
        for (auto it = way.rbegin(); it != way.rend(); ++it) {
            if (!relative.empty()) relative += '/';
            relative += (*it)->name;
        }
        ++base->borrowers;
    }
    const int baseFd = base ? base->fd : -1;
    const bool systemRoot = !base && nativeRoot_ == "/";
    lock.unlock();
    const int fd =
        base ? OpenFolderBelow(baseFd, relative) : ::open(nativeRoot_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int error = fd < 0 ? errno : 0;
    FolderEntries entries;
    if (fd >= 0) entries = ReadEntries(fd, buffer, filter_, systemRoot, &stopping_);
    lock.lock();
    if (base) {
        --base->borrowers;
        Release(base);
    }
    Publish(folder, fd, error, std::move(entries));
}

void FolderPrefetcher::Publish(Folder* folder, int fd, int error, FolderEntries entries) {
    if (folder == waitedFor_) folderRead_.notify_one();
    if (folder->abandoned || stopping_) {
        if (fd >= 0) ::close(fd);
        folder->state = State::kNotRead;
        if (folder->ahead) {
            folder->ahead = false;
            --ahead_;
            WakePoolIfRoom();
        }
        return;
    }
    if (fd < 0) {
        // Out of descriptors or memory is no answer about the folder: the walk tries itself.
        const bool noOpenat2 = error == ENOSYS || error == EPERM;
        if (noOpenat2) disabled_ = true;
        const bool resources = error == EMFILE || error == ENFILE || error == ENOMEM;
        folder->state = noOpenat2 || resources ? State::kNotRead : State::kUnreadable;
        return;
    }
    for (std::size_t i = 0; i < entries.Count(); ++i)
        if ((entries.Attributes(i) & faDirectory) && !IsDots(entries.Name(i)))
            folder->subfolders.push_back(std::uint32_t(i));
    folder->made.reserve(folder->subfolders.size());
    folder->entries = std::make_shared<const FolderEntries>(std::move(entries));
    folder->state = State::kRead;
    int keep = -1;
    if (!folder->subfolders.empty()) {
        if (pooled_) PushPending(folder);
        if (heldFds_ < kHeldFds || folder->depth % kCheckpoint == 0) {
            keep = fd;
            ++heldFds_;
        }
    }
    if (keep >= 0) {
        folder->fd = keep;
    } else {
        ::close(fd);
    }
    Count(folder);
    if (idle_ && !folder->subfolders.empty() && RoomAhead()) workWanted_.notify_one();
}

void FolderPrefetcher::PushPending(Folder* parent) {
    pending_.push_back(parent);
    std::push_heap(pending_.begin(), pending_.end(), Later);
    parent->pending = true;
}

void FolderPrefetcher::PopPending() {
    std::pop_heap(pending_.begin(), pending_.end(), Later);
    pending_.back()->pending = false;
    pending_.pop_back();
}

void FolderPrefetcher::RemovePending(Folder* parent) {
    if (!parent->pending) return;
    std::erase(pending_, parent);
    std::make_heap(pending_.begin(), pending_.end(), Later);
    parent->pending = false;
}

// A descriptor goes once the walk has left its folder and no read needs it any more.
void FolderPrefetcher::Release(Folder* folder) {
    if (folder->fd < 0 || folder->borrowers || !folder->left) return;
    ::close(folder->fd);
    folder->fd = -1;
    --heldFds_;
}

FolderPrefetcher::Folder* FolderPrefetcher::Child(Folder* parent, std::string_view name) {
    if (poolWanted_) Start();
    const Lock lock(mutex_);
    if (parent->state != State::kTaken) return nullptr;
    auto nameOf = [&](std::size_t i) {
        if (i < parent->made.size()) return parent->made[i] ? std::string_view(parent->made[i]->name) : "";
        return parent->entries->Name(parent->subfolders[i]);
    };
    // The walk enters subfolders in order: the one after the last entered is the one.
    std::size_t i = parent->entered;
    while (i < parent->subfolders.size() && nameOf(i) != name) ++i;
    if (i == parent->subfolders.size()) return nullptr;
    // Not started by the pool yet: made here, and the walk reads it itself.
    while (parent->made.size() <= i) MakeChild(parent);
    if (parent->AllMade()) RemovePending(parent);
    parent->entered = i + 1;
    return parent->made[i].get();
}

FolderPrefetcher::Outcome FolderPrefetcher::Take(Folder* folder, std::uint32_t filter,
                                                 std::shared_ptr<const FolderEntries>& entries) {
    Lock lock(mutex_);
    if (!filterKnown_) {
        filter_ = filter;
        filterKnown_ = true;
    }
    if (filter != filter_) return Outcome::kNotRead;
    waitedFor_ = folder;
    while (folder->state == State::kReading) folderRead_.wait(lock);
    waitedFor_ = nullptr;
    if (folder->state == State::kWaiting) {
        folder->state = State::kReading;
        walkBuffer_.resize(kBufferBytes);
        const auto start = std::chrono::steady_clock::now();
        Read(folder, walkBuffer_, lock);
        NoteReadTime(std::chrono::steady_clock::now() - start);
    }
    if (folder->ahead) {
        folder->ahead = false;
        --ahead_;
    }
    const State state = folder->state;
    if (state != State::kRead && state != State::kUnreadable) return Outcome::kNotRead;
    folder->state = State::kTaken;
    entries = folder->entries;
    if (folder->AllMade()) folder->entries.reset();
    Count(folder);
    WakePoolIfRoom();
    return state == State::kRead ? Outcome::kListed : Outcome::kUnreadable;
}

void FolderPrefetcher::Left(Folder* folder) {
    const Lock lock(mutex_);
    folder->left = true;
    bool busy = false;
    ForEachBelow(folder, [&](Folder* f) { busy = busy || f->state == State::kReading || f->borrowers; });
    if (busy) {
        // A read below is still under way: nothing more is started there, and what it
        // brings is dropped; the folders stay until the end.
        ForEachBelow(folder, [&](Folder* f) {
            f->abandoned = true;
            RemovePending(f);
        });
        Release(folder);
        return;
    }
    ForEachBelow(folder, [&](Folder* f) {
        RemovePending(f);
        if (f->fd >= 0) --heldFds_;
        if (f->ahead) --ahead_;
        bytes_ -= f->countedBytes;
    });
    Folder* parent = folder->parent;
    Destroy(std::move(parent->made[folder->index]));
    Count(parent);
    WakePoolIfRoom();
}

}  // namespace platform
