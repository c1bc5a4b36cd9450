#include "tests/data_store/Store_fixture.h"

void Store_fixture::follow(const void* item, unsigned size, uint32_t word)
{
    ::follow(head(), waiter, item, size, word);
}
