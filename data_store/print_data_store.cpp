// Prints a freshly built data store, every group and field with its type
// name, value and comment, as the lookup tree publishes them.
#include "data_store/Data_store.h"
#include "platform/rtos/module_man.h"

int main()
{
    module_man manager;
    Data_store store(&manager, "print");
    store.lookup.print(0);
    return 0;
}
