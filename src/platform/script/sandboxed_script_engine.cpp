#include "platform/script/sandboxed_script_engine.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/script/duktape_heap.h"
#include "text/codepage.h"

namespace vt {
namespace {

using Clock = std::chrono::steady_clock;

// How long a caller waits past a call's budget for the heap to stop by itself.
constexpr auto kGrace = std::chrono::seconds(1);
// How long a waiting side polls before it sleeps.
constexpr auto kPoll = std::chrono::microseconds(50);
// Engines given up on whose threads still run; no new engine is made while there are this many.
constexpr int kMaxAbandoned = 2;
std::atomic<int> abandonedRunning{0};

struct Request {
    std::string source;
    Want want = Want::Nothing;
};

// What the caller and the engine's thread share. The thread keeps it alive when the caller gives
// up, so a late reply lands here and not in a caller that is gone.
struct Channel {
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<bool> started;  // whether the heap was made
    std::optional<Request> request;
    std::optional<ScriptValue> reply;
    bool spent = false;    // the heap ran into a bound
    bool closing = false;  // the caller is gone
    bool abandoned = false;
};

// Waits under `lock` until `ready` or `until`: first polling for a short while, since the reply
// to a quick call, or the next call of a burst, usually comes within microseconds and a sleep
// and wake-up costs more than the call; then sleeping.
template <typename Ready>
bool Await(Channel& channel, std::unique_lock<std::mutex>& lock,
           std::optional<Clock::time_point> until, Ready ready) {
    const Clock::time_point pollEnd = Clock::now() + kPoll;
    while (!ready() && Clock::now() < pollEnd) {
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
    }
    if (!until) {
        channel.changed.wait(lock, ready);
        return true;
    }
    return channel.changed.wait_until(lock, *until, ready);
}

// The engine's thread: makes the heap and runs requests until the caller closes the channel.
void Serve(std::shared_ptr<Channel> channel, ScriptLimits limits) {
    {
        DuktapeHeap heap(limits);
        std::unique_lock lock(channel->mutex);
        channel->started = !heap.Spent();
        channel->changed.notify_all();
        while (true) {
            Await(*channel, lock, std::nullopt,
                  [&] { return channel->request || channel->closing; });
            if (channel->closing) break;
            const Request request = std::move(*channel->request);
            channel->request.reset();
            lock.unlock();
            ScriptValue value = heap.Run(request.source, request.want);
            lock.lock();
            channel->reply = std::move(value);
            channel->spent = heap.Spent();
            channel->changed.notify_all();
        }
    }
    if (channel->abandoned) --abandonedRunning;
}

// Runs a Duktape heap on a thread of its own. The executor stops script past its deadline, but
// builtins in native code (string search, sorting) do not look at it; the caller waits for no
// call longer than its budget and a short grace, then gives up the engine and leaves the thread
// to finish and free the heap by itself.
class SandboxedEngine final : public ScriptEngine {
  public:
    explicit SandboxedEngine(const ScriptLimits& limits)
        : limits_(limits), channel_(std::make_shared<Channel>()) {
        thread_ = std::thread(Serve, channel_, limits);
        std::unique_lock lock(channel_->mutex);
        const bool answered =
            channel_->changed.wait_until(lock, Clock::now() + limits_.callBudget + kGrace,
                                         [&] { return channel_->started.has_value(); });
        if (!answered) {
            Abandon(lock);
        } else if (!*channel_->started) {
            lock.unlock();
            Close();
        }
    }
    ~SandboxedEngine() override { Close(); }
    SandboxedEngine(const SandboxedEngine&) = delete;
    SandboxedEngine& operator=(const SandboxedEngine&) = delete;

    bool Usable() const { return channel_ != nullptr; }

    void AddCode(const Text& code) override { Call(code, Want::Nothing); }
    void Eval(const Text& code) override { Call(code, Want::Nothing); }
    Text EvalText(const Text& code) override { return Utf8ToCp936(Call(code, Want::Text).utf8); }
    double EvalNumber(const Text& code) override { return Call(code, Want::Number).number; }
    bool EvalBoolean(const Text& code) override { return Call(code, Want::Boolean).truth; }

  private:
    ScriptValue Call(const Text& code, Want want) {
        if (!channel_) return {};
        std::unique_lock lock(channel_->mutex);
        channel_->request = Request{Cp936ToUtf8(code), want};
        channel_->changed.notify_all();
        const bool answered = Await(*channel_, lock, Clock::now() + limits_.callBudget + kGrace,
                                    [&] { return channel_->reply.has_value(); });
        if (!answered) {
            Abandon(lock);
            return {};
        }
        ScriptValue value = std::move(*channel_->reply);
        channel_->reply.reset();
        const bool spent = channel_->spent;
        lock.unlock();
        if (spent) Close();
        return value;
    }

    void Abandon(std::unique_lock<std::mutex>& lock) {
        ++abandonedRunning;
        channel_->abandoned = true;
        channel_->closing = true;
        channel_->changed.notify_all();
        lock.unlock();
        thread_.detach();
        channel_.reset();
    }

    void Close() {
        if (!channel_) return;
        {
            std::lock_guard lock(channel_->mutex);
            channel_->closing = true;
        }
        channel_->changed.notify_all();
        thread_.join();
        channel_.reset();
    }

    ScriptLimits limits_;
    std::shared_ptr<Channel> channel_;
    std::thread thread_;
};

}  // namespace

int AbandonedEnginesRunning() {
    return abandonedRunning;
}

std::unique_ptr<ScriptEngine> MakeSandboxedScriptEngine(const ScriptLimits& limits) {
    if (abandonedRunning >= kMaxAbandoned) return nullptr;
    auto engine = std::make_unique<SandboxedEngine>(limits);
    if (!engine->Usable()) return nullptr;
    return engine;
}

ScriptEngineFactory SandboxedScriptEngines(const ScriptLimits& limits) {
    return [limits] { return MakeSandboxedScriptEngine(limits); };
}

}  // namespace vt
