#pragma once
#include "vt_pool/VtBuilder.h"

#include <cstdint>
#include <string>
#include <vector>

// Placing objects inside others. Each does nothing when the parent or the
// object is null. Positions are computed in signed 32 bits and stored as
// the 16-bit fields of the child's place.
void addToWorkingSet(VtPool& pool, int32_t x, int32_t y, VtObject* object);
void addToDataMask(VtObjectDataMask* mask, int32_t x, int32_t y, VtObject* object);
void addToContainer(VtObjectContainer* container, int32_t x, int32_t y, VtObject* object);
void addToKey(VtObjectKey* key, int32_t x, int32_t y, VtObject* object);
void addToButton(VtObjectButton* button, int32_t x, int32_t y, VtObject* object);
void centreInButton(VtObjectButton* button, VtObject* object);

// The row placements cut a container of width cw and height ch into `rows`
// rows of height rh = ch / rows and place one element in row `row`
// (0-based); rows is at least 1. Halvings are integer divisions.

// An Object Pointer to the target, right-aligned and centred in the row; a
// target of 65535 or not in the pool counts as 0 x 0. Null when the
// container is.
VtObjectPointer* placePointerInRow(VtPool& pool, VtObjectContainer* container, uint16_t target, uint32_t rows,
                                   uint32_t row, int32_t dx, int32_t dy);
// A centred label (at most cw wide).
VtObjectOutputFieldString* placeLabelInRow(VtPool& pool, VtObjectContainer* container, const std::string& text,
                                           const VtObjectFontAttribute* font, uint32_t rows, uint32_t row);
// The label inside the inner container, which takes its size and its place.
VtObjectOutputFieldString* placeLabelInBox(VtPool& pool, VtObjectContainer* container, const std::string& text,
                                           VtObjectContainer* inner, const VtObjectFontAttribute* font,
                                           uint32_t rows, uint32_t row);
// A left-justified label at x 4, `lines` lines high (at most ch).
VtObjectOutputFieldString* placeTextInRow(VtPool& pool, VtObjectContainer* container, const std::string& text,
                                          const VtObjectFontAttribute* font, uint32_t rows, uint32_t row,
                                          uint32_t lines);
// A centred text box of the container's width.
VtObjectOutputFieldString* placeTextBoxInRow(VtPool& pool, VtObjectContainer* container, const std::string& text,
                                             const VtObjectFontAttribute* font, uint32_t rows, uint32_t row);
// A number field of the container's width, centred, moved by (dx, dy).
VtObjectOutputFieldNumber* placeNumberInRow(VtPool& pool, VtObjectContainer* container,
                                            const VtObjectFontAttribute* font, uint32_t rows, uint32_t row,
                                            int32_t dx, int32_t dy);
// A number field shown through the pointer, which is placed in the row.
VtObjectOutputFieldNumber* placeNumberPointerInRow(VtPool& pool, VtObjectContainer* container,
                                                   VtObjectPointer* pointer, const VtObjectFontAttribute* font,
                                                   uint32_t rows, uint32_t row);
VtObjectOutputFieldString* placeStringFieldInRow(VtPool& pool, VtObjectContainer* container, const VtObject* variable,
                                                 const VtObjectFontAttribute* font, uint32_t rows, uint32_t row);
// An enabled Input Number of 0 to 999, inside the margins.
VtObjectInputFieldNumber* placeInputNumberInRow(VtPool& pool, VtObjectContainer* container, const VtObject* variable,
                                                const VtObjectFontAttribute* font, uint32_t rows, uint32_t row,
                                                int32_t dx, int32_t dy);
// An enabled Input List inside the margins whose elements are text boxes
// of its size, one per text in order.
VtObjectInputFieldList* placeInputListInRow(VtPool& pool, VtObjectContainer* container,
                                            const VtObjectFontAttribute* font, uint32_t rows, uint32_t row,
                                            const std::vector<std::string>& texts);
VtObjectInputFieldString* placeInputStringInRow(VtPool& pool, VtObjectContainer* container, const VtObject* variable,
                                                const VtObjectFontAttribute* font, uint32_t rows, uint32_t row);
// The field `span` rows high, centred on the middle of row `row`.
void placeNumberSpanning(VtPool& pool, VtObjectContainer* container, VtObjectOutputFieldNumber* field,
                         uint32_t rows, uint32_t row, uint32_t span);
// As placeNumberSpanning, inside the inner container, which takes the
// container's size and the field's place.
void placeNumberInContainerSpanning(VtPool& pool, VtObjectContainer* container, VtObjectOutputFieldNumber* field,
                                    VtObjectContainer* inner, uint32_t rows, uint32_t row, uint32_t span);
// The field and the input stacked in a hidden container; the other object
// takes the input's place. Returns the hidden container.
VtObjectContainer* placeNumberOverInput(VtPool& pool, VtObjectContainer* container, VtObjectOutputFieldNumber* field,
                                        VtObjectInputFieldNumber* input, VtObject* other, uint32_t rows,
                                        uint32_t row, uint32_t span);

// The band placements cut the container, less its vertical margins, into
// `rows` bands and size the element to `span` bands.
void placeInputNumberInBand(VtPool& pool, VtObjectContainer* container, VtObjectInputFieldNumber* input,
                            uint32_t rows, uint32_t row, uint32_t span);
void placeInputListInBand(VtPool& pool, VtObjectContainer* container, VtObjectInputFieldList* list, uint32_t rows,
                          uint32_t row, uint32_t span);
void placeButtonInBand(VtPool& pool, VtObjectContainer* container, VtObjectButton* button, uint32_t rows,
                       uint32_t row, uint32_t span);
