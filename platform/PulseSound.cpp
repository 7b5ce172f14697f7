// Sound effects through libpulse. Each WAV is uploaded once to the sound server
// as a sample; playing asks the server to play it, so nothing ever blocks the
// GUI thread. Without a server the connection fails at once and play is a no-op.

#include "platform/SystemServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QtEndian>

#include <pulse/pulseaudio.h>

#include <atomic>

namespace platform {
namespace {

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
    return haveFmt && !out.pcm.isEmpty() && pa_sample_spec_valid(&out.spec);
}

class PulseSound : public Sound {
public:
    explicit PulseSound(const QString &prefix)
    {
        for (int id = 101; id <= 112; ++id) {
            QFile f(prefix + QString::number(id) + ".wav");
            Wav w;
            if (f.open(QIODevice::ReadOnly) && parseWav(f.readAll(), w))
                wavs_.insert(id, w);
        }
        if (wavs_.isEmpty())
            return;
        loop_ = pa_threaded_mainloop_new();
        if (!loop_)
            return;
        pa_proplist *props = pa_proplist_new();
        pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Tastavia");
        pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "event");
        ctx_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "Tastavia", props);
        pa_proplist_free(props);
        if (!ctx_)
            return;
        pa_context_set_state_callback(ctx_, &PulseSound::onState, this);
        if (pa_context_connect(ctx_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return;
        pa_threaded_mainloop_start(loop_);
    }

    ~PulseSound() override
    {
        if (loop_)
            pa_threaded_mainloop_stop(loop_);
        if (ctx_) {
            pa_context_disconnect(ctx_);
            pa_context_unref(ctx_);
        }
        if (loop_)
            pa_threaded_mainloop_free(loop_);
    }

    void play(int id) override
    {
        if (!ready_.load())
            return;
        // Callbacks run with the loop locked, so uploaded_ is safe to read here.
        pa_threaded_mainloop_lock(loop_);
        if (uploaded_.contains(id)) {
            pa_operation *op = pa_context_play_sample(ctx_, sampleName(id).constData(), nullptr,
                                                      PA_VOLUME_NORM, nullptr, nullptr);
            if (op)
                pa_operation_unref(op);
        }
        pa_threaded_mainloop_unlock(loop_);
    }

private:
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
        if (pa_context_get_state(c) == PA_CONTEXT_READY)
            me->uploadAll();
    }

    // Runs in the mainloop thread.
    void uploadAll()
    {
        for (auto it = wavs_.cbegin(); it != wavs_.cend(); ++it) {
            pa_stream *s = pa_stream_new(ctx_, sampleName(it.key()).constData(),
                                         &it.value().spec, nullptr);
            if (!s)
                continue;
            auto *u = new Upload{this, it.key()};
            pa_stream_set_write_callback(s, &PulseSound::onWrite, u);
            pa_stream_set_state_callback(s, &PulseSound::onStreamState, u);
            if (pa_stream_connect_upload(s, size_t(it.value().pcm.size())) < 0) {
                pa_stream_unref(s);
                delete u;
            }
        }
    }

    static void onWrite(pa_stream *s, size_t nbytes, void *data)
    {
        auto *u = static_cast<Upload *>(data);
        const QByteArray &pcm = u->owner->wavs_.value(u->id).pcm;
        const qsizetype left = pcm.size() - u->written;
        const qsizetype n = std::min<qsizetype>(left, qsizetype(nbytes));
        if (n > 0) {
            pa_stream_write(s, pcm.constData() + u->written, size_t(n), nullptr, 0,
                            PA_SEEK_RELATIVE);
            u->written += n;
        }
        if (u->written >= pcm.size()) {
            pa_stream_set_write_callback(s, nullptr, nullptr);
            pa_stream_finish_upload(s);
        }
    }

    static void onStreamState(pa_stream *s, void *data)
    {
        auto *u = static_cast<Upload *>(data);
        switch (pa_stream_get_state(s)) {
        case PA_STREAM_TERMINATED:
            if (u->written >= u->owner->wavs_.value(u->id).pcm.size()) {
                u->owner->uploaded_.insert(u->id);
                u->owner->ready_.store(true);
            }
            [[fallthrough]];
        case PA_STREAM_FAILED:
            pa_stream_set_state_callback(s, nullptr, nullptr);
            pa_stream_unref(s);
            delete u;
            break;
        default:
            break;
        }
    }

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
    return std::make_unique<PulseSound>(resourcePrefix);
}

} // namespace platform
