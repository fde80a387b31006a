#pragma once
// A one-line progress bar on stderr, "[#####.....]  45/126", redrawn in place.
// Drawn only when stderr is a terminal; on a pipe or a file nothing is written.
#include <QString>

class ProgressBar
{
public:
    ProgressBar(int maximum, bool enabled);
    ~ProgressBar() { end(); }

    void update(int position);
    // Ends the line, so that a message can follow on a line of its own; the next
    // update starts a new bar.
    void end();
    // Ends the line and draws nothing more.
    void stop();

    // The text of the bar for a position, without the carriage return.
    static QString text(int position, int maximum);

private:
    const int m_maximum;
    bool m_enabled;
    bool m_drawn = false;
};
