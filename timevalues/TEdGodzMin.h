#pragma once
// Free edit of a duration held in the control itself (time calculator, schedule
// norms, the day's overtime sum). Read-only only locks the edits: the spin buttons
// stay and do nothing.
#include "DurationEditBase.h"

namespace tv {

class TEdGodzMin : public DurationEditBase {
    Q_OBJECT
public:
    static constexpr int DefaultMaxMinut = 720;
    explicit TEdGodzMin(QWidget* parent = nullptr);
};

} // namespace tv
