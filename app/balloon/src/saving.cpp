#include "balloon/saving.h"

namespace balloon {

qint64 saveBalloonData(BalloonData& data, QWidget* owner, loan::SaveSteps steps) {
    return loan::saveLoan({data, data.SCHEDPAY, data.FEEPCT, /*balloon=*/true, data.BLPAY}, data.UnsavedCount,
                          owner, steps);
}

qint64 saveBalloonSchedule(BalloonData& data, QWidget* owner) {
    loan::LoanToSave loan{data, data.SCHEDPAY, data.FEEPCT, /*balloon=*/true, data.BLPAY};
    loan.balloonScheduleRows = true;
    return loan::saveLoan(loan, data.UnsavedCount, owner, loan::SaveSteps::WriteOnly);
}

} // namespace balloon
