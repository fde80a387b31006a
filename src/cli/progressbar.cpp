#include "cli/progressbar.h"
#include <QtGlobal>
#include <cstdio>

namespace {
constexpr int Width = 40;
}

ProgressBar::ProgressBar(int maximum, bool enabled)
    : m_maximum(qMax(1, maximum)), m_enabled(enabled)
{
}

QString ProgressBar::text(int position, int maximum)
{
    position = qBound(0, position, maximum);
    const int filled = maximum > 0 ? position * Width / maximum : Width;
    const int digits = int(QString::number(maximum).size());
    return QLatin1Char('[') + QString(filled, QLatin1Char('#')) + QString(Width - filled, QLatin1Char('.'))
           + QStringLiteral("]  %1/%2").arg(position, digits).arg(maximum);
}

void ProgressBar::update(int position)
{
    if (!m_enabled)
        return;
    std::fprintf(stderr, "\r%s", text(position, m_maximum).toLatin1().constData());
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressBar::end()
{
    if (m_drawn) {
        std::fputc('\n', stderr);
        std::fflush(stderr);
        m_drawn = false;
    }
}

void ProgressBar::stop()
{
    end();
    m_enabled = false;
}
