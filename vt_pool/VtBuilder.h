#pragma once
#include "vt_pool/VtObjectButton.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectFillAttribute.h"
#include "vt_pool/VtObjectFontAttribute.h"
#include "vt_pool/VtObjectInputFieldList.h"
#include "vt_pool/VtObjectInputFieldNumber.h"
#include "vt_pool/VtObjectInputFieldString.h"
#include "vt_pool/VtObjectKey.h"
#include "vt_pool/VtObjectLine.h"
#include "vt_pool/VtObjectLineAttribute.h"
#include "vt_pool/VtObjectNumberVariable.h"
#include "vt_pool/VtObjectOutputFieldNumber.h"
#include "vt_pool/VtObjectOutputFieldString.h"
#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtObjectRectangle.h"
#include "vt_pool/VtObjectSoftKeyMask.h"
#include "vt_pool/VtObjectStringVariable.h"
#include "vt_pool/VtPool.h"

#include <cstdint>
#include <string>

// The builder: each operation takes the next object ID of the pool, makes
// one object with the attributes given, adds it to the pool and returns it.
// A null optional argument leaves its attribute at the type's default (for
// a reference 65535, none). Colours are indices of the standard palette.

// The first Data Mask becomes the Working Set's active mask; each becomes
// the pool's current mask.
VtObjectDataMask* createDataMask(VtPool& pool);
// Holds 65535 until set.
VtObjectPointer* createObjectPointer(VtPool& pool);
VtObjectContainer* createContainer(VtPool& pool, uint32_t width, uint32_t height);
VtObjectContainer* createContainerLike(VtPool& pool, const VtObjectContainer& container);
// Exactly as large as the text in the font's character cell, one pixel
// taller; transparent.
VtObjectOutputFieldString* createLabel(VtPool& pool, const std::string& text, const VtObjectFontAttribute* font,
                                       uint8_t justification);
// Transparent, centred text of the given size.
VtObjectOutputFieldString* createTextBox(VtPool& pool, const std::string& text, const VtObjectFontAttribute* font,
                                         uint32_t width, uint32_t height);
VtObjectOutputFieldString* createStringField(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                                             const VtObjectFontAttribute* font);
VtObjectOutputFieldNumber* createNumberField(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                                             const VtObjectFontAttribute* font);
VtObjectInputFieldNumber* createInputNumber(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                                            const VtObjectFontAttribute* font);
VtObjectInputFieldString* createInputString(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                                            const VtObjectFontAttribute* font);
VtObjectInputFieldList* createInputList(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable);
VtObjectLine* createLine(VtPool& pool, uint32_t width, uint32_t height, const VtObjectLineAttribute* line);
// As high as the line is wide.
VtObjectLine* createHorizontalLine(VtPool& pool, uint32_t width, const VtObjectLineAttribute* line);
// As wide as the line is wide.
VtObjectLine* createVerticalLine(VtPool& pool, uint32_t height, const VtObjectLineAttribute* line);
VtObjectRectangle* createRectangle(VtPool& pool, uint32_t width, uint32_t height, const VtObjectLineAttribute* line,
                                   const VtObjectFillAttribute* fill);
// Filled with the colour.
VtObjectFillAttribute* createFillAttributes(VtPool& pool, uint32_t colour);
VtObjectFontAttribute* createFontAttributes(VtPool& pool, uint8_t size_code, uint32_t colour);
VtObjectLineAttribute* createLineAttributes(VtPool& pool, uint32_t colour, uint8_t width);
VtObjectNumberVariable* createNumberVariable(VtPool& pool, uint32_t value);
VtObjectStringVariable* createStringVariable(VtPool& pool, const char* text);
// Becomes the current mask's soft key mask when that mask has none yet.
VtObjectSoftKeyMask* createSoftKeyMask(VtPool& pool, uint32_t colour);
// An empty Object Pointer appended to the mask's keys: a soft-key place
// whose key the running screen chooses.
VtObjectPointer* addSoftKeyPointer(VtPool& pool, VtObjectSoftKeyMask* mask);
// A key with up to two lines of text (the second only with a first).
VtObjectKey* createKey(VtPool& pool, uint32_t colour, uint8_t key_code, const char* text1, const char* text2,
                       const VtObjectFontAttribute* font);
// createKey, then appended to the mask's keys.
VtObjectKey* addKey(VtPool& pool, VtObjectSoftKeyMask* mask, uint32_t colour, uint8_t key_code, const char* text1,
                    const char* text2, const VtObjectFontAttribute* font);
// Grey border, not latchable; the text, if any, centred.
VtObjectButton* createButton(VtPool& pool, uint32_t width, uint32_t height, uint32_t colour, uint8_t key_code,
                             const char* text, const VtObjectFontAttribute* font);
// As createButton, with the child, if any, centred.
VtObjectButton* createButtonWith(VtPool& pool, uint32_t width, uint32_t height, uint32_t colour, uint8_t key_code,
                                 VtObject* child);
// A label inside a rectangle one pixel larger all round; returns the
// container that holds both.
VtObjectContainer* createBoxedLabel(VtPool& pool, const std::string& text, const VtObjectFontAttribute* font,
                                    const VtObjectLineAttribute* line);
