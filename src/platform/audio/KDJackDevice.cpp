#include "platform/audio/KDJackDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/audio/KDAudioError.h"
#include "platform/audio/KDJackBackend.h"

KDJackDevice::KDJackDevice(KDAudioDirection direction, const KDWaveFormat& format,
                           KDAudioDeviceClient& client, const KDWaveClock& clock)
    : KDQueuedDevice(direction, format, client, clock),
      portBuffers_(static_cast<std::size_t>(format.channels), nullptr),
      chunk_(static_cast<std::size_t>(kMaxChunk) * format.channels, 0) {}

KDJackDevice::~KDJackDevice() {
    RequestStop();
    StopEngine();
}

int KDJackDevice::OpenClient(std::string& error) {
    const bool output = direction() == KDAudioDirection::Output;
    jack_status_t status{};
    client_ = jack_client_open(output ? "Vantrel Out" : "Vantrel In", JackNoStartServer, &status);
    if (!client_) {
        error = KDAudioComposeError(KDAudioErrNoDriver, "JACK server is not running");
        return KDAudioErrNoDriver;
    }
    clientName_ = jack_get_client_name(client_);
    if (jack_get_sample_rate(client_) != static_cast<jack_nframes_t>(format().samplesPerSecond)) {
        error = KDAudioComposeError(KDAudioErrBadFormat, "JACK server does not run at 44100 Hz");
        StopEngine();
        return KDAudioErrBadFormat;
    }
    const unsigned long flags = output ? JackPortIsOutput : JackPortIsInput;
    for (int c = 0; c < format().channels; ++c) {
        jack_port_t* port =
            jack_port_register(client_, KDJackBackend::PortName(direction(), c).c_str(),
                               JACK_DEFAULT_AUDIO_TYPE, flags, 0);
        if (!port) {
            error = KDAudioComposeError(KDAudioErrNoMem, "JACK cannot register a port");
            StopEngine();
            return KDAudioErrNoMem;
        }
        ports_.push_back(port);
    }
    jack_set_process_callback(client_, ProcessThunk, this);
    jack_on_info_shutdown(client_, ShutdownThunk, this);
    if (jack_activate(client_) != 0) {
        error = KDAudioComposeError(KDAudioErrNoDriver, "JACK cannot activate the client");
        StopEngine();
        return KDAudioErrNoDriver;
    }
    ConnectPhysicalPorts();
    return KDAudioOk;
}

void KDJackDevice::ConnectPhysicalPorts() {
    // Our outputs go to the system's playback ports, its capture ports to our inputs, in order.
    const bool output = direction() == KDAudioDirection::Output;
    const char** physical =
        jack_get_ports(client_, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                       JackPortIsPhysical | (output ? JackPortIsInput : JackPortIsOutput));
    if (!physical) return;
    for (std::size_t c = 0; c < ports_.size() && physical[c]; ++c) {
        const char* ours = jack_port_name(ports_[c]);
        if (output) {
            jack_connect(client_, ours, physical[c]);
        } else {
            jack_connect(client_, physical[c], ours);
        }
    }
    jack_free(physical);
}

void KDJackDevice::StopEngine() {
    if (!client_) return;
    if (!failed()) jack_deactivate(client_);
    jack_client_close(client_);
    client_ = nullptr;
    ports_.clear();
}

int KDJackDevice::ProcessThunk(jack_nframes_t frames, void* self) {
    return static_cast<KDJackDevice*>(self)->Process(frames);
}

void KDJackDevice::ShutdownThunk(jack_status_t, const char* reason, void* self) {
    char text[256];
    std::snprintf(text, sizeof text, "JACK server has gone away (%s)", reason ? reason : "");
    static_cast<KDJackDevice*>(self)->MarkFailed(KDAudioErrDeviceLost, text);
}

int KDJackDevice::Process(jack_nframes_t frames) {
    const int channels = format().channels;
    for (int c = 0; c < channels; ++c) {
        portBuffers_[c] =
            static_cast<jack_default_audio_sample_t*>(jack_port_get_buffer(ports_[c], frames));
    }
    const std::uint32_t now = clock_.TimeMs();
    const bool output = direction() == KDAudioDirection::Output;
    for (jack_nframes_t done = 0; done < frames;) {
        const int n = static_cast<int>(std::min<jack_nframes_t>(frames - done, kMaxChunk));
        if (output) {
            TransferOut(chunk_.data(), n, now, false);
            for (int c = 0; c < channels; ++c) {
                jack_default_audio_sample_t* out = portBuffers_[c] + done;
                for (int f = 0; f < n; ++f) out[f] = chunk_[f * channels + c] * (1.0f / 32768.0f);
            }
        } else {
            for (int c = 0; c < channels; ++c) {
                const jack_default_audio_sample_t* in = portBuffers_[c] + done;
                for (int f = 0; f < n; ++f) {
                    float v = std::clamp(in[f] * 32767.0f, -32767.0f, 32767.0f);
                    chunk_[f * channels + c] = static_cast<std::int16_t>(v);
                }
            }
            TransferIn(chunk_.data(), n, now, false);
        }
        done += static_cast<jack_nframes_t>(n);
    }
    return 0;
}
