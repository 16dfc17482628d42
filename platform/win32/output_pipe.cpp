#include "platform/output_pipe.h"

void LetWritesToAClosedPipeFail() {}
