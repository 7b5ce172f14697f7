// Sound effects through libpulse. Each WAV is uploaded once to the sound server
// as a sample; playing asks the server to play it, so nothing ever blocks the
// GUI thread. libpulse and its codec libraries weigh about 2 MB, so they are
// loaded at run time and only when a sound server can be there at all; without
// one, or without libpulse, play is a no-op.

#include "platform/SystemServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QtEndian>

// Only the types and prototypes: the functions are looked up with dlsym.
#include <pulse/pulseaudio.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace platform {

QStringList pulseSocketCandidates(const QString &runtimeDir, uint uid)
{
    QStringList out;
    if (!runtimeDir.isEmpty())
        out << runtimeDir + "/pulse/native";
    const QString perUser = "/run/user/" + QString::number(uid) + "/pulse/native";
    if (!out.contains(perUser))
        out << perUser;
    out << "/var/run/pulse/native";
    return out;
}

bool soundServerMayRun(const QString &pulseServerVariable, const QStringList &sockets,
                       const std::function<bool(const QString &)> &exists)
{
    if (!pulseServerVariable.trimmed().isEmpty())
        return true;
    for (const QString &socket : sockets)
        if (exists(socket))
            return true;
    return false;
}

namespace {

#define TASTAVIA_PULSE_FUNCTIONS(X)                                                                \
    X(pa_threaded_mainloop_new)                                                                    \
    X(pa_threaded_mainloop_get_api)                                                                \
    X(pa_threaded_mainloop_start)                                                                  \
    X(pa_threaded_mainloop_stop)                                                                   \
    X(pa_threaded_mainloop_free)                                                                   \
    X(pa_threaded_mainloop_lock)                                                                   \
    X(pa_threaded_mainloop_unlock)                                                                 \
    X(pa_proplist_new)                                                                             \
    X(pa_proplist_sets)                                                                            \
    X(pa_proplist_free)                                                                            \
    X(pa_context_new_with_proplist)                                                                \
    X(pa_context_set_state_callback)                                                               \
    X(pa_context_connect)                                                                          \
    X(pa_context_disconnect)                                                                       \
    X(pa_context_unref)                                                                            \
    X(pa_context_get_state)                                                                        \
    X(pa_context_play_sample)                                                                      \
    X(pa_context_remove_sample)                                                                    \
    X(pa_operation_get_state)                                                                      \
    X(pa_operation_unref)                                                                          \
    X(pa_stream_new)                                                                               \
    X(pa_stream_set_write_callback)                                                                \
    X(pa_stream_set_state_callback)                                                                \
    X(pa_stream_connect_upload)                                                                    \
    X(pa_stream_finish_upload)                                                                     \
    X(pa_stream_write)                                                                             \
    X(pa_stream_get_state)                                                                         \
    X(pa_stream_unref)

// libpulse's entry points, looked up once; the library stays loaded to the end.
struct PulseApi {
#define TASTAVIA_PULSE_MEMBER(name) decltype(&::name) name = nullptr;
    TASTAVIA_PULSE_FUNCTIONS(TASTAVIA_PULSE_MEMBER)
#undef TASTAVIA_PULSE_MEMBER

    static const PulseApi *load()
    {
        static const PulseApi *api = [] () -> const PulseApi * {
            void *lib = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
            if (!lib)
                return nullptr;
            static PulseApi a;
            bool ok = true;
#define TASTAVIA_PULSE_LOOKUP(name)                                                                \
    a.name = reinterpret_cast<decltype(&::name)>(dlsym(lib, #name));                               \
    ok = ok && a.name;
            TASTAVIA_PULSE_FUNCTIONS(TASTAVIA_PULSE_LOOKUP)
#undef TASTAVIA_PULSE_LOOKUP
            return ok ? &a : nullptr;
        }();
        return api;
    }
};

struct Wav {
    pa_sample_spec spec{};
    QByteArray pcm;
};

// Reads a PCM WAV image; false for anything else.
bool parseWav(const QByteArray &data, Wav &out)
{
    if (data.size() < 12 || !data.startsWith("RIFF") || data.mid(8, 4) != "WAVE")
        return false;
    qsizetype pos = 12;
    bool haveFmt = false;
    while (pos + 8 <= data.size()) {
        const QByteArray id = data.mid(pos, 4);
        const quint32 len = qFromLittleEndian<quint32>(data.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (len > quint32(data.size() - body))
            return false;
        if (id == "fmt " && len >= 16) {
            const char *f = data.constData() + body;
            const quint16 format = qFromLittleEndian<quint16>(f);
            const quint16 channels = qFromLittleEndian<quint16>(f + 2);
            const quint32 rate = qFromLittleEndian<quint32>(f + 4);
            const quint16 bits = qFromLittleEndian<quint16>(f + 14);
            if (format != 1 || channels < 1 || channels > 2 || rate == 0)
                return false;
            if (bits == 16)
                out.spec.format = PA_SAMPLE_S16LE;
            else if (bits == 8)
                out.spec.format = PA_SAMPLE_U8;
            else
                return false;
            out.spec.channels = uint8_t(channels);
            out.spec.rate = rate;
            haveFmt = true;
        } else if (id == "data") {
            out.pcm = data.mid(body, len);
        }
        pos = body + len + (len & 1);
    }
    return haveFmt && !out.pcm.isEmpty() && out.spec.rate <= PA_RATE_MAX;
}

class PulseSound : public Sound {
public:
    PulseSound(const PulseApi &api, const QString &prefix) : pa(api)
    {
        for (int id = 101; id <= 112; ++id) {
            QFile f(prefix + QString::number(id) + ".wav");
            Wav w;
            if (f.open(QIODevice::ReadOnly) && parseWav(f.readAll(), w))
                wavs_.insert(id, w);
        }
        if (wavs_.isEmpty())
            return;
        loop_ = pa.pa_threaded_mainloop_new();
        if (!loop_)
            return;
        pa_proplist *props = pa.pa_proplist_new();
        pa.pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Tastavia");
        pa.pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "event");
        ctx_ = pa.pa_context_new_with_proplist(pa.pa_threaded_mainloop_get_api(loop_), "Tastavia", props);
        pa.pa_proplist_free(props);
        if (!ctx_)
            return;
        pa.pa_context_set_state_callback(ctx_, &PulseSound::onState, this);
        if (pa.pa_context_connect(ctx_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return;
        pa.pa_threaded_mainloop_start(loop_);
    }

    ~PulseSound() override
    {
        if (loop_) {
            rimuoviCampioni();
            pa.pa_threaded_mainloop_stop(loop_);
        }
        if (ctx_) {
            pa.pa_context_disconnect(ctx_);
            pa.pa_context_unref(ctx_);
        }
        if (loop_)
            pa.pa_threaded_mainloop_free(loop_);
    }

    void play(int id) override
    {
        if (!ready_.load())
            return;
        // Callbacks run with the loop locked, so uploaded_ is safe to read here.
        pa.pa_threaded_mainloop_lock(loop_);
        if (uploaded_.contains(id)) {
            pa_operation *op = pa.pa_context_play_sample(ctx_, sampleName(id).constData(), nullptr,
                                                      PA_VOLUME_NORM, nullptr, nullptr);
            if (op)
                pa.pa_operation_unref(op);
        }
        pa.pa_threaded_mainloop_unlock(loop_);
    }

private:
    // The server keeps uploaded samples after the client leaves: take ours
    // back, waiting a little for the server's answers and never long.
    void rimuoviCampioni()
    {
        std::vector<pa_operation *> richieste;
        pa.pa_threaded_mainloop_lock(loop_);
        if (ctx_ && pa.pa_context_get_state(ctx_) == PA_CONTEXT_READY)
            for (int id : std::as_const(uploaded_))
                if (pa_operation *op = pa.pa_context_remove_sample(ctx_, sampleName(id).constData(),
                                                                   nullptr, nullptr))
                    richieste.push_back(op);
        pa.pa_threaded_mainloop_unlock(loop_);
        for (int attesa = 0; attesa < 200 && !richieste.empty(); ++attesa) {
            pa.pa_threaded_mainloop_lock(loop_);
            const bool finite = std::all_of(richieste.begin(), richieste.end(), [this](pa_operation *op) {
                return pa.pa_operation_get_state(op) != PA_OPERATION_RUNNING;
            });
            pa.pa_threaded_mainloop_unlock(loop_);
            if (finite)
                break;
            usleep(1000);
        }
        pa.pa_threaded_mainloop_lock(loop_);
        for (pa_operation *op : richieste)
            pa.pa_operation_unref(op);
        pa.pa_threaded_mainloop_unlock(loop_);
    }

    struct Upload {
        PulseSound *owner;
        int id;
        qsizetype written = 0;
    };

    QByteArray sampleName(int id) const
    {
        // Sample names are global on the server: keep ours per process.
        return "tastavia-" + QByteArray::number(QCoreApplication::applicationPid()) + "-" +
               QByteArray::number(id);
    }

    static void onState(pa_context *c, void *self)
    {
        auto *me = static_cast<PulseSound *>(self);
        if (me->pa.pa_context_get_state(c) == PA_CONTEXT_READY)
            me->uploadAll();
    }

    // Runs in the mainloop thread.
    void uploadAll()
    {
        for (auto it = wavs_.cbegin(); it != wavs_.cend(); ++it) {
            pa_stream *s = pa.pa_stream_new(ctx_, sampleName(it.key()).constData(),
                                         &it.value().spec, nullptr);
            if (!s)
                continue;
            auto *u = new Upload{this, it.key()};
            pa.pa_stream_set_write_callback(s, &PulseSound::onWrite, u);
            pa.pa_stream_set_state_callback(s, &PulseSound::onStreamState, u);
            if (pa.pa_stream_connect_upload(s, size_t(it.value().pcm.size())) < 0) {
                pa.pa_stream_unref(s);
                delete u;
            }
        }
    }

    static void onWrite(pa_stream *s, size_t nbytes, void *data)
    {
        auto *u = static_cast<Upload *>(data);
        const PulseApi &pa = u->owner->pa;
        const QByteArray &pcm = u->owner->wavs_.value(u->id).pcm;
        const qsizetype left = pcm.size() - u->written;
        const qsizetype n = std::min<qsizetype>(left, qsizetype(nbytes));
        if (n > 0) {
            pa.pa_stream_write(s, pcm.constData() + u->written, size_t(n), nullptr, 0,
                            PA_SEEK_RELATIVE);
            u->written += n;
        }
        if (u->written >= pcm.size()) {
            pa.pa_stream_set_write_callback(s, nullptr, nullptr);
            pa.pa_stream_finish_upload(s);
        }
    }

    static void onStreamState(pa_stream *s, void *data)
    {
        auto *u = static_cast<Upload *>(data);
        const PulseApi &pa = u->owner->pa;
        switch (pa.pa_stream_get_state(s)) {
        case PA_STREAM_TERMINATED:
            if (u->written >= u->owner->wavs_.value(u->id).pcm.size()) {
                // The server keeps the sample; our copy is no longer needed.
                u->owner->wavs_[u->id].pcm = QByteArray();
                u->owner->uploaded_.insert(u->id);
                u->owner->ready_.store(true);
            }
            [[fallthrough]];
        case PA_STREAM_FAILED:
            pa.pa_stream_set_state_callback(s, nullptr, nullptr);
            pa.pa_stream_unref(s);
            delete u;
            break;
        default:
            break;
        }
    }

    const PulseApi &pa;
    QHash<int, Wav> wavs_;
    // Written in the mainloop thread; read only with the loop locked.
    QSet<int> uploaded_;
    std::atomic<bool> ready_{false};
    pa_threaded_mainloop *loop_ = nullptr;
    pa_context *ctx_ = nullptr;
};

} // namespace

std::unique_ptr<Sound> makePulseSound(const QString &resourcePrefix)
{
    const QStringList sockets =
        pulseSocketCandidates(qEnvironmentVariable("XDG_RUNTIME_DIR"), uint(getuid()));
    if (!soundServerMayRun(qEnvironmentVariable("PULSE_SERVER"), sockets,
                           [](const QString &path) { return QFileInfo::exists(path); }))
        return nullptr;
    const PulseApi *pa = PulseApi::load();
    if (!pa)
        return nullptr;
    return std::make_unique<PulseSound>(*pa, resourcePrefix);
}

} // namespace platform
