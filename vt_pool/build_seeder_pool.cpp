#include "vt_pool/build_seeder_pool.h"
#include "vt_pool/Seeder_layout.h"
#include "vt_pool/VtPlacement.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/screens/Seeder_screens.h"

bool build_seeder_pool(Seeder_pool_ids& ids, VtWriter& writer, VtSize size)
{
    // The pool and its objects go when this returns, also by an exception.
    auto pool = std::make_unique<VtPool>();
    Seeder_layout layout(*pool);
    computeLayout(ids, layout, size);
    addToWorkingSet(*pool, 5, 5, createLabel(*pool, "SEEDER", layout.font[1], 1));
    for (const Seeder_screen& screen : seeder_screens)
        screen.build(ids, layout);
    writer.reset();
    return pool->serialise(writer) == 0;
}
