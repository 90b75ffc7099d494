#include "common/PaperRandom.h"

namespace olv {

int PaperRandom::draw()
{
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 32767u);
}

} // namespace olv
