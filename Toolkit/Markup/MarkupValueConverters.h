// Text readers of the markup format: decimal numbers, colours, lengths with
// units, and the word lists of the enumeration properties. Converters take a
// markup string and return a new object, or null when the text does not
// read (the builder then reports the conversion error).
#pragma once

#include "Markup/MarkupPropertyMetadata.h"

// Lengths above this are infinite in layout arithmetic; 0x7FFFFFFF is "Auto".
const int kMarkupInfiniteLength = 0x7FFFFFFF;
const int kMarkupLargeLength = 0x3FFFFFFF;

struct MarkupWord
{
    LPCWSTR lpszWord;
    int nValue;
};

// The decimal grammar: spaces, sign, digits with one point, no exponent.
// nSeparator ends a number (0: none). With bWhole the whole text must be
// read. pnConsumed receives the characters read.
BOOL AFX_CDECL MarkupParseDecimal(LPCWSTR lpszText, wchar_t nSeparator, BOOL bWhole, double& dResult, int* pnConsumed);
// "#RRGGBB", "#AARRGGBB" or a colour name; the result is 0xAABBGGRR.
BOOL AFX_CDECL MarkupParseColor(LPCWSTR lpszText, DWORD& nColor);
// The length grammar without DPI scaling: "Auto", n, npt, nin, ncm, nmm;
// clamped so that no unit overflows.
int AFX_CDECL MarkupParseLength(LPCWSTR lpszText);
// A case-insensitive match of the whole text against a word list.
BOOL AFX_CDECL MarkupFindWord(const MarkupWord* pWords, int nCount, LPCWSTR lpszText, int& nValue);

// DPI scaling of a number read for a property with flag 0x40 or 0x80.
int AFX_CDECL MarkupScaleByFlags(CLVKMarkupContext* pContext, CLVKMarkupDependencyProperty* pProperty, int n);
double AFX_CDECL MarkupScaleByFlags(CLVKMarkupContext* pContext, CLVKMarkupDependencyProperty* pProperty, double d);

// Metadata converters.
CLVKMarkupObject* AFX_CDECL MarkupLengthConverter(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue,
                                                  CLVKMarkupDependencyProperty* pProperty);
CLVKMarkupObject* AFX_CDECL MarkupHorizontalAlignmentConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                               CLVKMarkupDependencyProperty*);
CLVKMarkupObject* AFX_CDECL MarkupVerticalAlignmentConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                             CLVKMarkupDependencyProperty*);
CLVKMarkupObject* AFX_CDECL MarkupVisibilityConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                      CLVKMarkupDependencyProperty*);
CLVKMarkupObject* AFX_CDECL MarkupOrientationConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                       CLVKMarkupDependencyProperty*);
CLVKMarkupObject* AFX_CDECL MarkupTextAlignmentConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                         CLVKMarkupDependencyProperty*);
CLVKMarkupObject* AFX_CDECL MarkupTextWrappingConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                        CLVKMarkupDependencyProperty*);
CLVKMarkupObject* AFX_CDECL MarkupFontStyleConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                     CLVKMarkupDependencyProperty*);
CLVKMarkupObject* AFX_CDECL MarkupFontWeightConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                      CLVKMarkupDependencyProperty*);
CLVKMarkupObject* AFX_CDECL MarkupCursorConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                  CLVKMarkupDependencyProperty*);
