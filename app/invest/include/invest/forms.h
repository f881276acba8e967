#pragma once
// The investment tracker's forms. The program creates each once at start-up, in the order Form20,
// Form21, Form22, Form23; the forms share nothing in memory but the structs they fill each other
// with, and meet in the investment database.

#include "invest/addform.h"
#include "invest/postform.h"

extern TForm20* Form20;
extern TForm21* Form21;
extern TForm22* Form22;
extern TForm23* Form23;
