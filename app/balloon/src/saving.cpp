#include "balloon/saving.h"

namespace balloon {

qint64 saveBalloonData(BalloonData& data, QWidget* owner, loan::SaveSteps steps) {
    return loan::saveLoan({data, data.SCHEDPAY, data.FEEPCT, /*balloon=*/true, data.BLPAY}, data.UnsavedCount,
                          owner, steps);
}

} // namespace balloon
