#pragma once
// Filters of the voices and the mix: a state-variable filter (trapezoidal,
// stable under fast cutoff changes) with low-, band- and high-pass outputs,
// and one-pole low- and high-pass stages.
namespace dmo_nimra::synth {

class StateVariableFilter {
public:
    struct Outputs {
        float low;
        float band;
        float high;
    };

    // cutoff in Hz (kept below 0.45 of the sample rate); resonance as Q.
    void Tune(double cutoff, double q);
    Outputs Process(float input);

private:
    double m_k = 1.4142;
    double m_a1 = 0.0;
    double m_a2 = 0.0;
    double m_a3 = 0.0;
    double m_ic1 = 0.0;
    double m_ic2 = 0.0;
};

class OnePoleLowPass {
public:
    void Tune(double cutoff);
    float Process(float input)
    {
        m_state += m_coefficient * (input - m_state);
        return static_cast<float>(m_state);
    }

private:
    double m_coefficient = 1.0;
    double m_state = 0.0;
};

// Blocks DC: y[n] = x[n] - x[n-1] + r y[n-1], a high pass near cutoff Hz.
class DcBlocker {
public:
    explicit DcBlocker(double cutoff = 10.0);
    float Process(float input)
    {
        const double output = input - m_previousInput + m_r * m_previousOutput;
        m_previousInput = input;
        m_previousOutput = output;
        return static_cast<float>(output);
    }

private:
    double m_r;
    double m_previousInput = 0.0;
    double m_previousOutput = 0.0;
};

}  // namespace dmo_nimra::synth
