#include "platform/FolderPrefetcher.h"

#include <algorithm>
#include <bit>
#include <condition_variable>
#include <mutex>
#include <new>
#include <span>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/Attributes.h"
#include "platform/ReadTrip.h"

namespace platform {

namespace {

// Places kept open so that subfolders can be read from their parent: up to this many, and
// beyond that every kCheckpoint-th level, from which deeper ones are reached by relative
// paths. A deep chain therefore cannot use up descriptors.
constexpr std::size_t kHeldPlaces = 64;
constexpr std::uint32_t kCheckpoint = 32;
// So many waiting listings among the last 64 grow the pool: a read held up by the
// scheduler now and then does not.
constexpr int kWaitsToGrow = 3;
// The walk, once it had to wait, goes on when this many folders are ready ahead of it (or
// nothing more is being read): one wake-up per batch rather than one per folder.
constexpr std::size_t kBatch = 64;
// A thread that finds listings in memory reads on below the folder it took, up to so many
// folders and so large a share of the bytes ahead, before it hands them on.
constexpr std::size_t kTripFolders = 32;
constexpr std::size_t kTripShareOfBytes = 32;
// How long the end of a walk waits for the reads under way before it leaves them behind.
constexpr std::chrono::milliseconds kEndGrace{50};

std::atomic<std::size_t> abandonedReads{0};

enum class State { kWaiting, kReading, kRead, kUnreadable, kNotRead, kTaken };

bool Done(State state) { return state != State::kWaiting && state != State::kReading && state != State::kTaken; }

// The listing of a folder that holds no subfolder and nothing the filter lets through.
const FolderEntries& DotsOnly() {
    static const FolderEntries dots = [] {
        FolderEntries entries;
        entries.Add(".", faDirectory);
        entries.Add("..", faDirectory);
        return entries;
    }();
    return dots;
}

bool SameEntries(const FolderEntries& a, const FolderEntries& b) {
    if (a.Count() != b.Count()) return false;
    for (std::size_t i = 0; i < a.Count(); ++i)
        if (a.Name(i) != b.Name(i) || a.Attributes(i) != b.Attributes(i)) return false;
    return true;
}

// A listing to hand on. Such empty folders are half of most trees: they share one listing,
// and the heap their own came from has it back on the thread that read it.
std::shared_ptr<const FolderEntries> HandedOn(FolderEntries entries) {
    static const std::shared_ptr<const FolderEntries> dots(std::shared_ptr<const FolderEntries>{}, &DotsOnly());
    if (SameEntries(entries, DotsOnly())) return dots;
    return std::make_shared<const FolderEntries>(std::move(entries));
}

// A read made ready to hand on: its subfolders found and its listing made shareable, on
// the thread that read it before it takes the lock, so that holds of the lock stay short.
struct Ready {
    FolderRead::Status status = FolderRead::Status::kUnreadable;
    std::shared_ptr<const FolderEntries> entries;
    std::shared_ptr<const ReadPlace> place;
    std::vector<std::uint32_t> subfolders;  // entry numbers; its room is kept from read to read
};

void Prepare(FolderRead&& read, Ready& ready) {
    ready.status = read.status;
    ready.place = std::move(read.place);
    ready.subfolders.clear();
    ready.entries.reset();
    if (read.status != FolderRead::Status::kListed) return;
    const FolderEntries& entries = read.entries;
    for (std::size_t i = 0; i < entries.Count(); ++i)
        if (entries.IsSubfolder(i)) ready.subfolders.push_back(std::uint32_t(i));
    ready.entries = HandedOn(std::move(read.entries));
}

Ready Prepared(FolderRead&& read) {
    Ready ready;
    Prepare(std::move(read), ready);
    return ready;
}

// Holds of the lock are short: a thread that finds it taken tries again a few times before
// it sleeps, as sleeping and waking cost more than the hold. True when it slept.
bool LockSoon(std::unique_lock<std::mutex>& lock) {
    for (int i = 0; i < 64; ++i) {
        if (lock.try_lock()) return false;
        std::this_thread::yield();
    }
    lock.lock();
    return true;
}

std::unique_lock<std::mutex> LockSoon(std::mutex& mutex) {
    std::unique_lock<std::mutex> lock(mutex, std::defer_lock);
    LockSoon(lock);
    return lock;
}

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
    std::shared_ptr<const ReadPlace> place;
    std::size_t countedBytes = 0;
    std::shared_ptr<const FolderEntries> entries;  // kept until every subfolder is made
    std::vector<std::uint32_t> subfolders;         // entry numbers of the subfolders, in order
    std::vector<std::unique_ptr<Folder>> made;     // the first made.size() of them
    std::size_t entered = 0;                       // where the walk's next Enter is looked for
    std::size_t started = 0;                       // subfolders whose read has begun

    bool AllMade() const { return made.size() == subfolders.size(); }
    // Made anew for another folder, keeping the room its name and lists had.
    void Reuse() {
        std::string keptName = std::move(name);
        std::vector<std::uint32_t> keptSubfolders = std::move(subfolders);
        std::vector<std::unique_ptr<Folder>> keptMade = std::move(made);
        *this = Folder();
        name = std::move(keptName);
        subfolders = std::move(keptSubfolders);
        made = std::move(keptMade);
        name.clear();
        subfolders.clear();
        made.clear();
    }
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

bool HasMadeChildren(const Folder* folder) {
    return std::any_of(folder->made.begin(), folder->made.end(), [](const auto& child) { return bool(child); });
}

// Visits a folder and everything made below it, without recursion: chains can be deep.
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

// Takes a folder and everything made below it apart, without recursion (chains can be
// deep), handing each to `done` once its subfolders are off it.
template <typename Done>
void TakeApart(std::unique_ptr<Folder> top, std::vector<std::unique_ptr<Folder>>& stack, Done done) {
    stack.push_back(std::move(top));
    while (!stack.empty()) {
        std::unique_ptr<Folder> folder = std::move(stack.back());
        stack.pop_back();
        for (auto& child : folder->made)
            if (child) stack.push_back(std::move(child));
        done(std::move(folder));
    }
}

void Destroy(std::unique_ptr<Folder> top) {
    if (!top || !HasMadeChildren(top.get())) return;
    std::vector<std::unique_ptr<Folder>> stack;
    TakeApart(std::move(top), stack, [](std::unique_ptr<Folder>) {});
}

}  // namespace

// What the pool's threads share with the walk. A thread left in a read when the walk ends
// keeps it alive, so that it finds, once its read returns, that nobody wants the result.
struct FolderPrefetcher::Shared {
    using Lock = std::unique_lock<std::mutex>;

    struct Worker;

    // A read left under way by a walk that ended. A later walk that wants the same folder
    // waits for it rather than read the folder again: however many scans reach a folder
    // that hangs, one listing of it hangs.
    struct AbandonedRead {
        std::string key;
        std::weak_ptr<Shared> adopter;
        Folder* adopted = nullptr;  // the adopter's folder, valid while it is not stopping
    };
    // Taken after a pool's own lock, never before one.
    static inline std::mutex abandonedMutex;
    static inline std::vector<std::shared_ptr<AbandonedRead>> abandonedList;
    static inline std::atomic<bool> anyAbandoned = false;

    struct Worker {
        std::thread thread;
        Folder* folder = nullptr;  // being read
        bool reading = false;
        bool abandoned = false;
        std::shared_ptr<AbandonedRead> ticket;
        std::unique_ptr<ReadTrip> trip;  // from the thread's start
        std::vector<Ready> ready;        // the folder taken, then the trip's reads
    };

    Shared(std::shared_ptr<FolderReader> folderReader, ReadAheadLimits readAheadLimits)
        : reader(std::move(folderReader)), limits(readAheadLimits), root(std::make_unique<Folder>()) {}

    void Spawn(std::size_t count, const std::shared_ptr<Shared>& self);
    std::unique_ptr<Folder> NewFolder();
    void Recycle(std::unique_ptr<Folder> top);
    void Work(Worker* me);
    Folder* NextToRead();
    Folder* MakeChild(Folder* parent);
    void Read(Folder* folder, Worker* me, ReadTrip& trip, std::vector<std::string>& names, Lock& lock);
    ReadTrip::Bounds TripBounds() const;
    void PublishTrip(Folder* top, std::vector<ReadTrip::Read>& reads, std::span<Ready> ready);
    Folder* StartBelow(Folder* parent, std::uint32_t index);
    void CutTripOf(Folder* folder);
    void NoteRead(bool waited);
    void LeaveToWalk(Folder* folder);
    bool MayKeepPlace(const Folder* folder) const {
        return heldPlaces < kHeldPlaces || folder->depth % kCheckpoint == 0;
    }
    std::string Key(const Folder* folder) const;
    bool Adopt(Folder* folder);
    static void Deliver(const std::shared_ptr<AbandonedRead>& ticket, Ready read);
    // `queue` false: the caller queues the folder (Queue) once it knows what a trip read below it.
    void Publish(Folder* folder, Ready& read, bool queue = true);
    void Queue(Folder* folder);
    bool NoteWait(bool waited);
    void PushPending(Folder* parent);
    void PopPending();
    void RemovePending(Folder* parent);
    void DropPlace(Folder* folder);
    void Count(Folder* folder);
    bool RoomAhead() const;
    void WakePoolIfRoom();
    bool WalkMayGo(const Folder* folder) const;
    void Forget(Folder* folder);
    void WakeWalk();

    const std::shared_ptr<FolderReader> reader;
    const ReadAheadLimits limits;
    std::unique_ptr<Folder> root;
    std::weak_ptr<Shared> self;

    mutable std::mutex mutex;
    std::condition_variable workWanted;
    std::condition_variable folderRead;
    std::condition_variable readEnded;  // while the walk ends
    std::vector<std::unique_ptr<Worker>> workers;
    // Folders with subfolders not yet started, as a heap: earliest in the walk's order on top.
    std::vector<Folder*> pending;
    std::vector<Folder*> tripFolders;  // made by PublishTrip, by the trip's reads
    // Folders the walk has left, for the next ones made: a folder made and forgotten takes
    // nothing from the heap and gives nothing back, on threads that share it.
    std::vector<std::unique_ptr<Folder>> spare;
    std::vector<std::unique_ptr<Folder>> recycling;  // Recycle's own, kept for its room
    std::vector<Ready> cutReady;                     // CutTripOf's own
    Folder* urgent = nullptr;                        // the walk waits for it and no thread has started it
    Folder* waitedFor = nullptr;                     // the folder the walk waits for
    std::uint32_t filter = 0;
    bool filterKnown = false;
    std::atomic<bool> stopping = false;  // also seen by reads under way, which hold no lock
    bool disabled = false;               // out of memory: the walk reads alone
    bool poolThrottled = false;
    bool grown = false;
    std::size_t idle = 0;
    std::size_t reading = 0;
    std::size_t ahead = 0;
    std::size_t readyAhead = 0;  // of those, read
    std::size_t bytes = 0;
    std::size_t peakBytes = 0;
    std::size_t heldPlaces = 0;
    std::uint64_t waitedReads = 0;  // one bit for each of the last reads: 1 when it waited
};

std::size_t FirstReadAheadThreads() {
    const std::size_t cores = std::thread::hardware_concurrency();
    return cores > 1 ? 2 * cores : 1;
}

FolderPrefetcher::FolderPrefetcher(std::shared_ptr<FolderReader> reader, ReadAheadLimits limits)
    : shared_(std::make_shared<Shared>(std::move(reader), limits)) {
    Shared& shared = *shared_;
    shared.self = shared_;
    const std::size_t first = shared.reader->Remote() ? limits.threads : std::min(limits.firstThreads, limits.threads);
    const Shared::Lock lock(shared.mutex);
    shared.grown = first == limits.threads;
    shared.Spawn(first, shared_);
}

FolderPrefetcher::~FolderPrefetcher() {
    Shared& shared = *shared_;
    std::vector<std::thread> ending;
    std::unique_ptr<Folder> tree;
    {
        Shared::Lock lock(shared.mutex);
        shared.stopping = true;
        shared.urgent = nullptr;
        shared.pending.clear();
        // Reads under way mostly end at once (told to stop between two reads of the
        // system); only one that does not is left behind.
        shared.readEnded.wait_for(lock, kEndGrace, [&] {
            return std::none_of(shared.workers.begin(), shared.workers.end(),
                                [](const auto& worker) { return worker->reading; });
        });
        for (const auto& worker : shared.workers) {
            if (worker->reading) {
                // It may never come back (a share that stopped answering): nobody waits for
                // it, and a later walk may take its result.
                worker->abandoned = true;
                ++abandonedReads;
                worker->ticket = std::make_shared<Shared::AbandonedRead>();
                // Where a trip reads below the folder, the ticket is for that read.
                std::string below;
                if (worker->trip)
                    worker->trip->Cut([&](FolderRead&, std::vector<ReadTrip::Read>&, const ReadTrip::UnderWay& way) {
                        if (way.active) below = way.key;
                    });
                worker->ticket->key = shared.Key(worker->folder) + below;
                const std::lock_guard registry(Shared::abandonedMutex);
                Shared::abandonedList.push_back(worker->ticket);
                Shared::anyAbandoned = true;
                worker->thread.detach();
            } else {
                ending.push_back(std::move(worker->thread));
            }
        }
        tree = std::move(shared.root);
    }
    shared.workWanted.notify_all();
    for (std::thread& thread : ending) thread.join();
    Destroy(std::move(tree));
}

FolderPrefetcher::Folder* FolderPrefetcher::Root() { return shared_->root.get(); }

std::size_t FolderPrefetcher::PeakBytes() const {
    const Shared::Lock lock(shared_->mutex);
    return shared_->peakBytes;
}

std::size_t FolderPrefetcher::AbandonedReads() { return abandonedReads.load(); }

void FolderPrefetcher::Shared::Spawn(std::size_t count, const std::shared_ptr<Shared>& owner) {
    try {
        while (workers.size() < count) {
            auto worker = std::make_unique<Worker>();
            Worker* me = worker.get();
            workers.push_back(std::move(worker));
            try {
                me->thread = std::thread([owner, me] { owner->Work(me); });
            } catch (...) {
                workers.pop_back();
                throw;
            }
        }
    } catch (const std::system_error&) {
        // Fewer threads than asked: the ones there are read.
    } catch (const std::bad_alloc&) {}
}

void FolderPrefetcher::Shared::Count(Folder* folder) {
    const std::size_t folderBytes = folder->Bytes();
    bytes += folderBytes;
    bytes -= folder->countedBytes;
    folder->countedBytes = folderBytes;
    peakBytes = std::max(peakBytes, bytes);
}

bool FolderPrefetcher::Shared::RoomAhead() const {
    return !stopping && !disabled && ahead < limits.foldersAhead && bytes < limits.bytesAhead;
}

// The pool, once held back by the bound, resumes only when a quarter of it is free again:
// one wake-up per batch of folders rather than one per folder.
void FolderPrefetcher::Shared::WakePoolIfRoom() {
    if (!poolThrottled) return;
    if (ahead + limits.foldersAhead / 4 > limits.foldersAhead) return;
    if (bytes + limits.bytesAhead / 4 > limits.bytesAhead) return;
    poolThrottled = false;
    workWanted.notify_all();
}

// Once the folder it waits for is read, the walk goes on when a batch is ready ahead of it,
// or when the pool may start nothing more.
bool FolderPrefetcher::Shared::WalkMayGo(const Folder* folder) const {
    if (!Done(folder->state)) return false;
    return readyAhead >= kBatch || !RoomAhead() || idle == workers.size();
}

void FolderPrefetcher::Shared::WakeWalk() {
    if (waitedFor && WalkMayGo(waitedFor)) folderRead.notify_one();
}

void FolderPrefetcher::Shared::Work(Worker* me) {
    Lock lock(mutex);
    Folder* folder = nullptr;
    try {
        const std::unique_ptr<ListingWatch> watch = reader->Watch();
        me->trip = std::make_unique<ReadTrip>(*reader, *watch, stopping);
        std::vector<std::string> names;
        while (!stopping) {
            folder = NextToRead();
            if (!folder) {
                if (!RoomAhead()) poolThrottled = true;
                ++idle;
                WakeWalk();
                workWanted.wait(lock);
                --idle;
                watch->Restart();
                continue;
            }
            if (idle && (urgent || !pending.empty()) && RoomAhead()) workWanted.notify_one();
            Read(folder, me, *me->trip, names, lock);
            folder = nullptr;
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: the pool stops reading ahead and the walk reads the rest itself.
        if (!lock.owns_lock()) lock.lock();
        if (me->reading) {
            me->reading = false;
            --reading;
            if (me->abandoned) --abandonedReads;
        }
        if (me->ticket) {
            // No result to hand on: a walk that adopted the read reads the folder itself.
            const std::shared_ptr<AbandonedRead> ticket = std::move(me->ticket);
            lock.unlock();
            Ready none;
            none.status = FolderRead::Status::kNoAnswer;
            Deliver(ticket, std::move(none));
            lock.lock();
        }
        if (stopping) return;
        disabled = true;
        if (folder) LeaveToWalk(folder);
        folderRead.notify_all();
    }
}

Folder* FolderPrefetcher::Shared::NextToRead() {
    if (Folder* folder = urgent) {
        // Wanted now: whatever the bounds say.
        urgent = nullptr;
        folder->state = State::kReading;
        if (!Adopt(folder)) return folder;
    }
    while (RoomAhead() && !pending.empty()) {
        Folder* parent = pending.front();
        if (parent->AllMade()) {
            PopPending();
            continue;
        }
        Folder* folder = MakeChild(parent);
        if (parent->AllMade()) PopPending();
        if (folder->state != State::kWaiting) continue;
        folder->state = State::kReading;
        folder->ahead = true;
        ++ahead;
        if (!Adopt(folder)) return folder;
    }
    return nullptr;
}

// The folder's path from the root, which names it for every walk from that root.
std::string FolderPrefetcher::Shared::Key(const Folder* folder) const {
    std::vector<const Folder*> way;
    for (const Folder* step = folder; step && step->parent; step = step->parent) way.push_back(step);
    std::string key = reader->Root();
    for (auto it = way.rbegin(); it != way.rend(); ++it) {
        key += '\0';
        key += (*it)->name;
    }
    return key;
}

// Waits for an earlier walk's read of the folder that is still under way, where there is
// one nobody else waits for: its result comes as if read here.
bool FolderPrefetcher::Shared::Adopt(Folder* folder) {
    if (!anyAbandoned.load(std::memory_order_relaxed)) return false;
    const std::string key = Key(folder);
    const std::lock_guard registry(abandonedMutex);
    for (const std::shared_ptr<AbandonedRead>& read : abandonedList) {
        if (read->key != key) continue;
        const std::shared_ptr<Shared> adopter = read->adopter.lock();
        if (adopter && !adopter->stopping) continue;
        read->adopter = self;
        read->adopted = folder;
        ++reading;
        return true;
    }
    return false;
}

// Hands an abandoned read's result to the walk that adopted it, if one still waits.
void FolderPrefetcher::Shared::Deliver(const std::shared_ptr<AbandonedRead>& ticket, Ready read) {
    std::shared_ptr<Shared> adopter;
    {
        const std::lock_guard registry(abandonedMutex);
        std::erase(abandonedList, ticket);
        anyAbandoned = !abandonedList.empty();
        adopter = ticket->adopter.lock();
    }
    if (!adopter) return;
    const Lock lock(adopter->mutex);
    if (adopter->stopping) return;
    --adopter->reading;
    adopter->Publish(ticket->adopted, read);
    adopter->WakeWalk();
}

std::unique_ptr<Folder> FolderPrefetcher::Shared::NewFolder() {
    if (spare.empty()) return std::make_unique<Folder>();
    std::unique_ptr<Folder> folder = std::move(spare.back());
    spare.pop_back();
    return folder;
}

// Keeps a folder and everything below it for the folders still to be made, as many as the
// read-ahead may hold at once; lists that grew large for a wide folder go.
void FolderPrefetcher::Shared::Recycle(std::unique_ptr<Folder> top) {
    constexpr std::size_t kLargeList = 256;
    if (!top) return;
    TakeApart(std::move(top), recycling, [&](std::unique_ptr<Folder> folder) {
        if (spare.size() >= limits.foldersAhead || folder->subfolders.capacity() > kLargeList) return;
        folder->Reuse();
        spare.push_back(std::move(folder));
    });
}

Folder* FolderPrefetcher::Shared::MakeChild(Folder* parent) {
    std::unique_ptr<Folder> child = NewFolder();
    child->name = parent->entries->Name(parent->subfolders[parent->made.size()]);
    child->parent = parent;
    child->depth = parent->depth + 1;
    child->index = std::uint32_t(parent->made.size());
    // A junction, a link, a mount point: listed, never entered.
    if (parent->entries->Attributes(parent->subfolders[parent->made.size()]) & faLink) {
        child->state = State::kUnreadable;
        if (++parent->started == parent->subfolders.size()) DropPlace(parent);
    }
    Folder* made = child.get();
    parent->made.push_back(std::move(child));
    // Names come from the listing: once every subfolder is made the listing can go.
    if (parent->AllMade() && parent->state == State::kTaken) parent->entries.reset();
    Count(made);
    Count(parent);
    return made;
}

// Reads a folder from the nearest place kept above it; the lock is let go around the read,
// which works on copies only: the walk may end meanwhile and take the folders with it.
void FolderPrefetcher::Shared::Read(Folder* folder, Worker* me, ReadTrip& trip, std::vector<std::string>& names,
                                    Lock& lock) {
    Folder* base = folder->parent;
    while (base && !base->place) base = base->parent;
    std::size_t count = 0;
    for (const Folder* step = folder; step != base && step->parent; step = step->parent) ++count;
    names.resize(count);
    for (const Folder* step = folder; count; step = step->parent) names[--count] = step->name;
    const std::shared_ptr<const ReadPlace> place = base ? base->place : nullptr;
    // Once every subfolder has begun, nothing more is opened from the parent: the reads
    // under way hold its place as long as they need it.
    if (Folder* parent = folder->parent; parent && ++parent->started == parent->subfolders.size()) DropPlace(parent);
    const bool mayKeep = MayKeepPlace(folder);
    const std::uint32_t readFilter = filter;
    const ReadTrip::Bounds bounds = TripBounds();
    me->reading = true;
    me->folder = folder;
    ++reading;
    lock.unlock();
    const auto start = std::chrono::steady_clock::now();
    // The trip needs the folder's place to read below it.
    FolderRead read = reader->Read(place.get(), names, readFilter, mayKeep || bounds.folders, stopping);
    const bool waited = trip.Watch().Waited(std::chrono::steady_clock::now() - start);
    trip.Run(read, waited, place, names, readFilter, bounds);
    if (!mayKeep) read.place.reset();
    // Unless the walk took the reads meanwhile (a cut), they are made ready before the lock.
    std::vector<Ready>& ready = me->ready;
    if (!trip.WasCut()) {
        ready.resize(std::max(ready.size(), trip.Reads().size() + 1));
        Prepare(std::move(read), ready[0]);
        for (std::size_t i = 0; i < trip.Reads().size(); ++i) Prepare(std::move(trip.Reads()[i].read), ready[i + 1]);
    }
    if (LockSoon(lock)) trip.Watch().Restart();
    me->reading = false;
    --reading;
    if (me->abandoned) --abandonedReads;
    if (me->ticket) {
        // Nobody here wants it any more; perhaps a later walk does. Read on copies as well.
        const std::shared_ptr<AbandonedRead> ticket = std::move(me->ticket);
        Ready left = trip.CutMidRead() ? Prepared(std::move(trip.CutRead()))
                     : trip.WasCut()   ? Prepared(std::move(read))
                                       : std::move(ready[0]);
        lock.unlock();
        Deliver(ticket, std::move(left));
        lock.lock();
    }
    if (stopping) {
        readEnded.notify_all();
        return;  // the folders are gone with the walk: the result is dropped
    }
    NoteRead(waited);
    if (!trip.WasCut()) {
        Publish(folder, ready[0], false);
        PublishTrip(folder, trip.Reads(), std::span(ready).subspan(1, trip.Reads().size()));
        Queue(folder);
    } else if (Folder* own = me->folder; own != folder) {
        // The walk took what the trip had read; the read under way is a folder's own now.
        try {
            Ready cut = Prepared(std::move(trip.CutRead()));
            Publish(own, cut);
        } catch (const std::bad_alloc&) {
            LeaveToWalk(own);
            throw;
        }
    }
    WakeWalk();
}

// How far a thread may read on below the folder it took: not at all on a share, nor once
// listings are seen to wait, where the reads under way are better spread over the pool, nor
// while an earlier walk's read is under way, which a folder on the trip might be.
ReadTrip::Bounds FolderPrefetcher::Shared::TripBounds() const {
    if (reader->Remote() || waitedReads != 0 || !RoomAhead() || anyAbandoned.load(std::memory_order_relaxed)) return {};
    return {std::min(kTripFolders, limits.foldersAhead - ahead), limits.bytesAhead / kTripShareOfBytes};
}

// Makes the folders a trip read below `top`, in the walk's order, as if each had been
// started from the pool and read on its own.
void FolderPrefetcher::Shared::PublishTrip(Folder* top, std::vector<ReadTrip::Read>& reads, std::span<Ready> ready) {
    // A folder the walk has left in the meantime takes what was read below it along.
    if (top->state != State::kRead || reads.empty()) return;
    std::vector<Folder*>& made = tripFolders;
    made.resize(reads.size());
    Folder* folder = nullptr;
    try {
        for (std::size_t i = 0; i < reads.size(); ++i) {
            ReadTrip::Read& trip = reads[i];
            folder = StartBelow(trip.parent == ReadTrip::kTop ? top : made[trip.parent], trip.index);
            if (!MayKeepPlace(folder)) ready[i].place.reset();
            NoteRead(trip.waited);
            Publish(folder, ready[i], false);
            made[i] = folder;
            folder = nullptr;
        }
        // Most folders on a trip have all their subfolders read by it: those never wait in
        // the queue.
        for (Folder* read : made) Queue(read);
    } catch (const std::bad_alloc&) {
        // Out of memory part-way: the folder being made is the walk's to read, or it would
        // wait for it for ever; the ones after it the walk makes as it comes to them.
        if (folder) LeaveToWalk(folder);
        throw;
    }
}

// Makes a subfolder of a folder read on a trip, as the pool would have started it.
Folder* FolderPrefetcher::Shared::StartBelow(Folder* parent, std::uint32_t index) {
    while (parent->made.size() <= index) MakeChild(parent);
    Folder* folder = parent->made[index].get();
    folder->state = State::kReading;
    folder->ahead = true;
    ++ahead;
    if (++parent->started == parent->subfolders.size()) DropPlace(parent);
    return folder;
}

// The walk waits for a folder a thread reads: if it is on a trip below it, what it has
// read is handed on now, and the read under way becomes that of its own folder.
void FolderPrefetcher::Shared::CutTripOf(Folder* folder) {
    for (const auto& worker : workers) {
        if (worker->folder != folder || !worker->reading || !worker->trip) continue;
        worker->trip->Cut([&](FolderRead& top, std::vector<ReadTrip::Read>& reads, const ReadTrip::UnderWay& way) {
            if (!MayKeepPlace(folder)) top.place.reset();
            Ready topReady = Prepared(std::move(top));
            Publish(folder, topReady);
            cutReady.resize(std::max(cutReady.size(), reads.size()));
            for (std::size_t i = 0; i < reads.size(); ++i) Prepare(std::move(reads[i].read), cutReady[i]);
            PublishTrip(folder, reads, std::span(cutReady).first(reads.size()));
            if (!way.active || folder->state != State::kRead) return;
            worker->folder = StartBelow(way.parent == ReadTrip::kTop ? folder : tripFolders[way.parent], way.index);
        });
        WakeWalk();
    }
}

// A folder a thread could not hand on (out of memory): the walk reads it itself rather than
// wait for it.
void FolderPrefetcher::Shared::LeaveToWalk(Folder* folder) {
    if (folder->state != State::kReading) return;
    folder->state = State::kNotRead;
    // What a listing handed on in part foretold is not the walk's: it finds the subfolders itself.
    folder->subfolders.clear();
    folder->entries.reset();
    if (folder->ahead) ++readyAhead;
}

// Grows the pool once reads are seen to wait.
void FolderPrefetcher::Shared::NoteRead(bool waited) {
    if (!NoteWait(waited)) return;
    if (const std::shared_ptr<Shared> owner = self.lock()) Spawn(limits.threads, owner);
    workWanted.notify_all();
}

// Whether the pool is to grow now: the reads are seen to wait for their file system.
bool FolderPrefetcher::Shared::NoteWait(bool waited) {
    waitedReads = waitedReads << 1 | (waited ? 1u : 0u);
    if (grown || std::popcount(waitedReads) < kWaitsToGrow) return false;
    grown = true;
    return true;
}

void FolderPrefetcher::Shared::Publish(Folder* folder, Ready& read, bool queue) {
    // Whatever becomes of the folder, the read's listing and place are let go here.
    std::shared_ptr<const FolderEntries> entries = std::move(read.entries);
    std::shared_ptr<const ReadPlace> place = std::move(read.place);
    if (folder->abandoned) {
        folder->state = State::kNotRead;
        if (folder->ahead) {
            folder->ahead = false;
            --ahead;
            WakePoolIfRoom();
        }
        return;
    }
    if (folder->ahead) ++readyAhead;
    if (read.status == FolderRead::Status::kNoAnswer) {
        folder->state = State::kNotRead;  // the walk tries itself
        return;
    }
    if (read.status == FolderRead::Status::kUnreadable) {
        folder->state = State::kUnreadable;
        return;
    }
    folder->subfolders.assign(read.subfolders.begin(), read.subfolders.end());
    folder->made.reserve(folder->subfolders.size());
    folder->entries = std::move(entries);
    folder->state = State::kRead;
    if (!folder->subfolders.empty() && place) {
        folder->place = std::move(place);
        ++heldPlaces;
    }
    Count(folder);
    if (queue) Queue(folder);
}

// Queues a folder read for the pool while subfolders of it are still to be started.
void FolderPrefetcher::Shared::Queue(Folder* folder) {
    if (folder->state != State::kRead || folder->AllMade() || folder->pending) return;
    PushPending(folder);
    if (idle && RoomAhead()) workWanted.notify_one();
}

void FolderPrefetcher::Shared::PushPending(Folder* parent) {
    pending.push_back(parent);
    std::push_heap(pending.begin(), pending.end(), Later);
    parent->pending = true;
}

void FolderPrefetcher::Shared::PopPending() {
    std::pop_heap(pending.begin(), pending.end(), Later);
    pending.back()->pending = false;
    pending.pop_back();
}

void FolderPrefetcher::Shared::RemovePending(Folder* parent) {
    if (!parent->pending) return;
    std::erase(pending, parent);
    std::make_heap(pending.begin(), pending.end(), Later);
    parent->pending = false;
}

void FolderPrefetcher::Shared::DropPlace(Folder* folder) {
    if (!folder->place) return;
    folder->place.reset();
    --heldPlaces;
}

FolderPrefetcher::Folder* FolderPrefetcher::Child(Folder* parent, std::string_view name) {
    Shared& shared = *shared_;
    const Shared::Lock lock = LockSoon(shared.mutex);
    ForgetLeft();
    if (parent->state != State::kTaken) return nullptr;
    auto nameOf = [&](std::size_t i) {
        if (i < parent->made.size()) return parent->made[i] ? std::string_view(parent->made[i]->name) : "";
        return parent->entries->Name(parent->subfolders[i]);
    };
    // The walk enters subfolders in order: the one after the last entered is the one.
    std::size_t i = parent->entered;
    while (i < parent->subfolders.size() && nameOf(i) != name) ++i;
    if (i == parent->subfolders.size()) return nullptr;
    // Not started by the pool yet: made here, and read when the walk asks for it.
    while (parent->made.size() <= i) shared.MakeChild(parent);
    if (parent->AllMade()) shared.RemovePending(parent);
    parent->entered = i + 1;
    return parent->made[i].get();
}

FolderPrefetcher::Outcome FolderPrefetcher::Take(Folder* folder, std::uint32_t filter,
                                                 std::shared_ptr<const FolderEntries>& entries,
                                                 const std::function<bool()>& stopAsked) {
    Shared& shared = *shared_;
    Shared::Lock lock = LockSoon(shared.mutex);
    ForgetLeft();
    if (!shared.filterKnown) {
        shared.filter = filter;
        shared.filterKnown = true;
    }
    // Another filter, or the same folder listed again: the walk reads it itself.
    if (filter != shared.filter || folder->state == State::kTaken) return Outcome::kNotRead;
    if (folder->state == State::kWaiting) {
        if (shared.workers.empty() || shared.disabled) return Outcome::kNotRead;
        shared.urgent = folder;
        shared.workWanted.notify_one();
    }
    if (!Done(folder->state)) {
        shared.waitedFor = folder;
        auto poll = std::chrono::steady_clock::now() + kStopPoll;
        while (!shared.WalkMayGo(folder)) {
            if (shared.disabled && folder->state == State::kWaiting) {
                // Memory ran out on the pool, whose threads are gone or going: not started,
                // the folder is the walk's to read.
                if (shared.urgent == folder) shared.urgent = nullptr;
                shared.waitedFor = nullptr;
                folder->state = State::kTaken;
                return Outcome::kNotRead;
            }
            if (shared.folderRead.wait_until(lock, poll) != std::cv_status::timeout) continue;
            if (folder->state == State::kReading) shared.CutTripOf(folder);
            if (Done(folder->state)) break;  // no longer for a batch than a poll's time
            lock.unlock();
            const bool stop = stopAsked && stopAsked();
            lock.lock();
            if (stop) {
                shared.waitedFor = nullptr;
                if (shared.urgent == folder) shared.urgent = nullptr;
                return Outcome::kStopped;
            }
            poll = std::chrono::steady_clock::now() + kStopPoll;
        }
        shared.waitedFor = nullptr;
    }
    if (folder->ahead) {
        folder->ahead = false;
        --shared.ahead;
        --shared.readyAhead;
    }
    const State state = folder->state;
    if (state != State::kRead && state != State::kUnreadable) {
        folder->state = State::kTaken;
        return Outcome::kNotRead;
    }
    folder->state = State::kTaken;
    entries = folder->entries;
    if (folder->AllMade()) folder->entries.reset();
    shared.Count(folder);
    shared.WakePoolIfRoom();
    return state == State::kRead ? Outcome::kListed : Outcome::kUnreadable;
}

// Under the lock, which the walk takes once for what it leaves and what it asks next.
void FolderPrefetcher::ForgetLeft() {
    Shared& shared = *shared_;
    for (Folder* folder : left_) shared.Forget(folder);
    left_.clear();
}

void FolderPrefetcher::Shared::Forget(Folder* folder) {
    Shared& shared = *this;
    folder->left = true;
    bool busy = false;
    ForEachBelow(folder, [&](Folder* f) { busy = busy || f->state == State::kReading; });
    if (busy) {
        // A read below is still under way: nothing more is started there, and what it
        // brings is dropped; the folders stay until the end.
        ForEachBelow(folder, [&](Folder* f) {
            f->abandoned = true;
            shared.RemovePending(f);
            if (shared.urgent == f) shared.urgent = nullptr;
        });
        shared.DropPlace(folder);
        return;
    }
    ForEachBelow(folder, [&](Folder* f) {
        shared.RemovePending(f);
        if (shared.urgent == f) shared.urgent = nullptr;
        shared.DropPlace(f);
        if (f->ahead) {
            --shared.ahead;
            if (Done(f->state)) --shared.readyAhead;
        }
        shared.bytes -= f->countedBytes;
    });
    Folder* parent = folder->parent;
    Recycle(std::move(parent->made[folder->index]));
    shared.Count(parent);
    shared.WakePoolIfRoom();
}

}  // namespace platform
