#include "tests/vt_pool/Vt_engine.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectFillAttribute.h"
#include "vt_pool/VtObjectOutputFieldNumber.h"
#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtObjectRectangle.h"
#include "vt_pool/model/VtLogger.h"

#include <gtest/gtest.h>

namespace {

// What the dump writes on standard output.
std::string dumped(const VtSession& session)
{
    VtLogger logger;
    testing::internal::CaptureStdout();
    session.dump(logger);
    return testing::internal::GetCapturedStdout();
}

TEST(VtSessionDump, TheShownMaskIsWrittenAsATree)
{
    Vt_engine vt;
    auto& mask = vt.add<VtObjectDataMask>(1000);
    mask.setSoftKeyMask(1100);
    addChild(mask.getChilds(), 1200, 10, 20);
    vt.add<VtObjectOutputFieldNumber>(1200).setValue(5);
    vt.display.setActiveMask(1000);
    // Every line ends with an empty one; only the mask resolves, so the
    // soft key frame stays empty.
    EXPECT_EQ(dumped(vt.session), "\n\n"
                                  "CURRENT MASK\n\n"
                                  "OID=1000, type= 1 (VtObjectTypeDataMask), macros=0\n\n"
                                  "SKM/oid=1100\n\n"
                                  "  Childs:\n\n"
                                  "    @0(10,20) - \n\n"
                                  "    OID=1200, type=12 (VtObjectTypeOutputFieldNumber), macros=0\n\n"
                                  "    value=5\n\n"
                                  "CURRENT MASK -- END\n\n"
                                  "\n\n"
                                  "CURRENT SOFTKEYMASK\n\n"
                                  "CURRENT SOFTKEYMASK -- END\n\n"
                                  "\n\n");
}

TEST(VtSessionDump, WithNoMaskShownEveryObjectIsWrittenInIdOrder)
{
    Vt_engine vt;
    vt.add<VtObjectOutputFieldNumber>(9).setValue(1);
    auto& container = vt.add<VtObjectContainer>(4);
    addChild(container.getChilds(), 9, 1, 2);
    addChild(container.getChilds(), 77, 0, 0);
    EXPECT_EQ(dumped(vt.session), "OID=4, type= 3 (VtObjectTypeContainer), macros=0\n\n"
                                  "width=0, height=0, hidden=0\n\n"
                                  "  Childs:\n\n"
                                  "    @0(1,2) - \n\n"
                                  "    OID=9, type=12 (VtObjectTypeOutputFieldNumber), macros=0\n\n"
                                  "    value=1\n\n"
                                  "  OID=77 (UNRESOLVED)\n\n"
                                  "OID=9, type=12 (VtObjectTypeOutputFieldNumber), macros=0\n\n"
                                  "value=1\n\n");
}

TEST(VtSessionDump, ARectangleNamesItsFillBeforeItsLine)
{
    Vt_engine vt;
    auto& rectangle = vt.add<VtObjectRectangle>(3);
    rectangle.setFillAttributes(8);
    rectangle.setLineAttributes(9);
    vt.add<VtObjectFillAttribute>(8);
    EXPECT_EQ(dumped(vt.session), "OID=3, type=14 (VtObjectTypeRectangle), macros=0\n\n"
                                  " fillAttributes=8, type=25 (VtObjectTypeFillAttribute)\n\n"
                                  " lineAttributes=9 (UNRESOLVED)\n\n"
                                  "width=0, height=0, lsup=0, fa=8\n\n"
                                  "OID=8, type=25 (VtObjectTypeFillAttribute), macros=0\n\n");
}

TEST(VtSessionDump, ContainersHoldingThemselvesAndPointerLoopsEnd)
{
    Vt_engine vt;
    auto& container = vt.add<VtObjectContainer>(1);
    addChild(container.getChilds(), 1, 0, 0);
    vt.add<VtObjectPointer>(2).setValue(3);
    vt.add<VtObjectPointer>(3).setValue(2);
    EXPECT_EQ(dumped(vt.session), "OID=1, type= 3 (VtObjectTypeContainer), macros=0\n\n"
                                  "width=0, height=0, hidden=0\n\n"
                                  "  Childs:\n\n"
                                  "    @0(0,0) - \n\n"
                                  "    OID=1, written above\n\n"
                                  "OID=2, type=27 (VtObjectTypePointer), macros=0\n\n"
                                  "->=3\n\n"
                                  "  OID=3, type=27 (VtObjectTypePointer), macros=0\n\n"
                                  "  ->=2\n\n"
                                  "    OID=2, written above\n\n"
                                  "OID=3, type=27 (VtObjectTypePointer), macros=0\n\n"
                                  "->=2\n\n"
                                  "  OID=2, type=27 (VtObjectTypePointer), macros=0\n\n"
                                  "  ->=3\n\n"
                                  "    OID=3, written above\n\n");
}

TEST(VtSessionDump, AChainOfContainersStopsAtAFixedDepth)
{
    Vt_engine vt;
    for (uint16_t oid = 1; oid <= 300; ++oid)
        addChild(vt.add<VtObjectContainer>(oid).getChilds(), uint16_t(oid + 1), 0, 0);
    // The display stops the chain too; container 1 is no mask, so the
    // dump writes the whole table.
    vt.display.setActiveMask(1);
    const std::string text = dumped(vt.session);
    EXPECT_NE(text.find("nested too deep"), std::string::npos);
}

TEST(VtSessionDump, AnEmptyTableWritesNothing)
{
    Vt_engine vt;
    EXPECT_EQ(dumped(vt.session), "");
}

}
