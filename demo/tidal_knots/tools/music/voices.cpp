#include "music/voices.h"

namespace dmo_nimra::synth {

namespace {

bool IsTonal(Instrument instrument)
{
    return instrument == Instrument::Bass || instrument == Instrument::Pad || instrument == Instrument::Arp;
}

}  // namespace

double VoiceDuration(const NoteEvent& note)
{
    return IsTonal(note.instrument) ? TonalDuration(note) : DrumDuration(note);
}

void RenderVoice(const NoteEvent& note, VoiceOutput& output)
{
    if (IsTonal(note.instrument))
        RenderTonal(note, output);
    else
        RenderDrum(note, output);
}

}  // namespace dmo_nimra::synth
