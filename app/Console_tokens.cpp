#include "app/Console_tokens.h"
#include "platform/rtos/Debug_base.h"

void report_parse_error(const char* input)
{
    Debug_print::dprint("Parse error for input: [%s]\n", input);
    Debug_print::dprint("For supported commands, enter [help|h]\n");
}
