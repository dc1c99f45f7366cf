// SPDX-License-Identifier: GPL-3.0-or-later
// The persisted 448 bytes of an item record, as tables of (name, setter, type, file offset).
// The item table and the page setup table lay different names over the same bytes; the
// bytes not named here are reserved and are carried along untouched.
#pragma once

// X(name, setter, type, offset) with type one of I32, U32, U8, F64.
#define QUILLON_ITEM_FIELDS(X)                             \
  X(recordClass, setRecordClass, I32, 0)                   \
  X(kind, setKind, I32, 4)                                 \
  X(documentId, setDocumentId, I32, 12)                    \
  X(x1, setX1, I32, 16)                                    \
  X(y1, setY1, I32, 20)                                    \
  X(x2, setX2, I32, 24)                                    \
  X(y2, setY2, I32, 28)                                    \
  X(boundLeft, setBoundLeft, I32, 32)                      \
  X(boundRight, setBoundRight, I32, 36)                    \
  X(boundTop, setBoundTop, I32, 40)                        \
  X(boundBottom, setBoundBottom, I32, 44)                  \
  X(boundWidth, setBoundWidth, I32, 48)                    \
  X(boundHeight, setBoundHeight, I32, 52)                  \
  X(diagonal, setDiagonal, I32, 56)                        \
  X(magic, setMagic, U32, 60)                              \
  X(selected, setSelected, U8, 64)                         \
  X(setAside, setSetAside, U8, 65)                         \
  X(hidden, setHidden, U8, 66)                             \
  X(savedSelection, setSavedSelection, U8, 67)             \
  X(stackLevel, setStackLevel, I32, 68)                    \
  X(realX1, setRealX1, F64, 72)                            \
  X(realY1, setRealY1, F64, 80)                            \
  X(realX2, setRealX2, F64, 88)                            \
  X(realY2, setRealY2, F64, 96)                            \
  X(angle, setAngle, F64, 104)                             \
  X(payloadLength, setPayloadLength, I32, 112)             \
  X(auxColor, setAuxColor, I32, 116)                       \
  X(lineColor, setLineColor, I32, 120)                     \
  X(penWidth, setPenWidth, I32, 124)                       \
  X(fontSize, setFontSize, I32, 128)                       \
  X(textColor, setTextColor, I32, 132)                     \
  X(textAngle, setTextAngle, I32, 136)                     \
  X(fontWeight, setFontWeight, I32, 140)                   \
  X(fontItalic, setFontItalic, U8, 144)                    \
  X(fontUnderline, setFontUnderline, U8, 145)              \
  X(fontStrikeout, setFontStrikeout, U8, 146)              \
  X(justification, setJustification, U8, 147)              \
  X(fontCharset, setFontCharset, I32, 181)                 \
  X(presetTextAngle, setPresetTextAngle, I32, 185)         \
  X(lineWeight, setLineWeight, F64, 197)                   \
  X(lineOutlineWeight, setLineOutlineWeight, F64, 205)     \
  X(linePattern, setLinePattern, I32, 213)                 \
  X(fillColor, setFillColor, I32, 217)                     \
  X(direction, setDirection, F64, 221)                     \
  X(historyState, setHistoryState, I32, 229)               \
  X(stackChange, setStackChange, I32, 233)                 \
  X(itemId, setItemId, I32, 237)                           \
  X(transaction, setTransaction, I32, 241)                 \
  X(replacesId, setReplacesId, I32, 245)                   \
  X(sides, setSides, I32, 249)                             \
  X(refX1, setRefX1, I32, 253)                             \
  X(refY1, setRefY1, I32, 257)                             \
  X(refX2, setRefX2, I32, 261)                             \
  X(refY2, setRefY2, I32, 265)                             \
  X(shapeStyle, setShapeStyle, I32, 273)                   \
  X(curveFactor, setCurveFactor, F64, 277)                 \
  X(clipShape, setClipShape, I32, 285)                     \
  X(sourceNumber, setSourceNumber, I32, 289)               \
  X(clipLeft, setClipLeft, I32, 293)                       \
  X(clipTop, setClipTop, I32, 297)                         \
  X(clipRight, setClipRight, I32, 301)                     \
  X(clipBottom, setClipBottom, I32, 305)                   \
  X(scaleX, setScaleX, F64, 309)                           \
  X(scaleY, setScaleY, F64, 317)                           \
  X(rotation, setRotation, F64, 325)                       \
  X(rotationAtDragStart, setRotationAtDragStart, F64, 333) \
  X(saturation, setSaturation, I32, 341)                   \
  X(contrast, setContrast, I32, 345)                       \
  X(lightness, setLightness, I32, 349)                     \
  X(mirrorSign, setMirrorSign, I32, 365)                   \
  X(flipSign, setFlipSign, I32, 369)                       \
  X(rightAngle, setRightAngle, I32, 373)                   \
  X(sourceScale, setSourceScale, F64, 377)                 \
  X(sourceWidth, setSourceWidth, I32, 385)                 \
  X(sourceHeight, setSourceHeight, I32, 389)               \
  X(groupNumber, setGroupNumber, I32, 393)                 \
  X(extraLengthA, setExtraLengthA, I32, 405)               \
  X(extraLengthB, setExtraLengthB, I32, 409)               \
  X(frame, setFrame, U8, 413)                              \
  X(shadowSize, setShadowSize, U8, 414)                    \
  X(shadowSoftness, setShadowSoftness, U8, 415)            \
  X(shadowLightness, setShadowLightness, U8, 416)          \
  X(surface, setSurface, U8, 417)

// The page setup record's own names for the bytes it uses differently; recordClass to
// payloadLength keep their item names and meaning.
#define QUILLON_PAGE_FIELDS(X)                        \
  X(zoom, setZoom, F64, 116)                          \
  X(pageUnits, setPageUnits, I32, 124)                \
  X(pixelsPerUnitX, setPixelsPerUnitX, F64, 128)      \
  X(pixelsPerUnitY, setPixelsPerUnitY, F64, 136)      \
  X(designLeft, setDesignLeft, F64, 148)              \
  X(designTop, setDesignTop, F64, 156)                \
  X(designWidth, setDesignWidth, F64, 164)            \
  X(designHeight, setDesignHeight, F64, 172)          \
  X(modified, setModified, U8, 180)                   \
  X(gridDistanceX, setGridDistanceX, F64, 181)        \
  X(gridDistanceY, setGridDistanceY, F64, 189)        \
  X(gridHorizontal, setGridHorizontal, U8, 197)       \
  X(anchorsHorizontal, setAnchorsHorizontal, U8, 198) \
  X(snapHorizontal, setSnapHorizontal, U8, 199)       \
  X(gridVertical, setGridVertical, U8, 200)           \
  X(anchorsVertical, setAnchorsVertical, U8, 201)     \
  X(snapVertical, setSnapVertical, U8, 202)           \
  X(pageKind, setPageKind, I32, 203)                  \
  X(orientation, setOrientation, I32, 207)            \
  X(quickSelectIndex, setQuickSelectIndex, I32, 211)  \
  X(pageWidth, setPageWidth, F64, 215)                \
  X(pageHeight, setPageHeight, F64, 223)              \
  X(cardWidth, setCardWidth, F64, 231)                \
  X(cardHeight, setCardHeight, F64, 239)              \
  X(marginLeft, setMarginLeft, F64, 247)              \
  X(marginTop, setMarginTop, F64, 255)                \
  X(marginRight, setMarginRight, F64, 263)            \
  X(marginBottom, setMarginBottom, F64, 271)          \
  X(gapVertical, setGapVertical, F64, 279)            \
  X(gapHorizontal, setGapHorizontal, F64, 287)        \
  X(extraA, setExtraA, F64, 295)                      \
  X(extraB, setExtraB, F64, 303)                      \
  X(rows, setRows, I32, 311)                          \
  X(columns, setColumns, I32, 315)                    \
  X(rowFold, setRowFold, U8, 319)                     \
  X(columnFold, setColumnFold, U8, 320)               \
  X(historySaved, setHistorySaved, U8, 321)           \
  X(formatVersion, setFormatVersion, I32, 323)        \
  X(lightDirection, setLightDirection, U8, 327)
