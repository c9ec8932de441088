#include "Markup/MarkupTextBlock.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBorder.h"
#include "Markup/MarkupBrush.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInlineCollection.h"
#include "Markup/MarkupInlineUIContainer.h"
#include "Markup/MarkupRun.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupThickness.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>
#include <deque>

CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pTextWrappingProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pTextTrimmingProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pTextAlignmentProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pPaddingProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pTextProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pBackgroundProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pForegroundProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pFontSizeProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pFontWeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pFontStyleProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pFontFamilyProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pTextDecorationsProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupTextBlock, L"TextBlock", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupTextBlock(); }, &CLVKMarkupTextBlock::RegisterProperties)

namespace
{

const int kNoWrap = 0;
const int kWrap = 1;
const int kCharacterEllipsis = 1;
const int kWordEllipsis = 2;
const int kAlignRight = 1;
const int kAlignCenter = 2;
const int kAlignJustify = 3;

CLVKMarkupObject* AFX_CDECL TextTrimmingConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                  CLVKMarkupDependencyProperty*)
{
    static const MarkupWord words[] = {{L"None", 0}, {L"CharacterEllipsis", 1}, {L"WordEllipsis", 2}};
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString || !MarkupFindWord(words, 3, pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nValue);
}

int EnumValue(const CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty)
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(pObject->GetValue(pProperty));
    return pValue ? pValue->GetValue() : 0;
}

}  // namespace

struct CLVKMarkupTextBlock::LayoutState
{
    CLVKMarkupDrawingContext* pDC = nullptr;
    int nAvailable = 0;
    int x = 0;
    int y = 0;
    int nWidest = 0;
    Line current;
    std::unique_ptr<Piece> pGrowing;
    std::deque<std::unique_ptr<Piece>> pending;
    int nWrapping = kNoWrap;
    int nTrimming = 0;
    BOOL bJustify = FALSE;
};

CLVKMarkupTextBlock::Piece::Piece(CLVKMarkupInline* pInlineIn, MarkupTextPosition nStartIn, MarkupTextPosition nEndIn)
    : pInline(pInlineIn), nStart(nStartIn), nEnd(nEndIn)
{
    pInline->AddRef();
}

CLVKMarkupTextBlock::Piece::~Piece()
{
    pInline->Release();
}

void CLVKMarkupTextBlock::Piece::Measure(CLVKMarkupDrawingContext* pDC)
{
    const SIZE size = pInline->MeasureRange(pDC, nStart, nEnd);
    cx = size.cx;
    cy = size.cy;
    nDescent = pInline->GetDescent();
    if (const POINT* const pMetrics = pInline->GetMetricsPair())
    {
        nFontAscent = pMetrics->x;
        nFontDescent = pMetrics->y;
    }
}

void AFX_CDECL CLVKMarkupTextBlock::RegisterProperties()
{
    CLVKMarkupType::EnsureRegistered(CLVKMarkupTextElement::GetMarkupType());
    CLVKMarkupType::EnsureRegistered(CLVKMarkupBorder::GetMarkupType());
    CLVKMarkupType* const pType = GetMarkupType();
    m_pTextWrappingProperty = CLVKMarkupDependencyProperty::Register(
        L"TextWrapping", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupTextWrappingConverter, MarkupPropertyAffectsMeasure));
    m_pTextTrimmingProperty = CLVKMarkupDependencyProperty::Register(
        L"TextTrimming", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, TextTrimmingConverter, MarkupPropertyAffectsMeasure));
    m_pTextAlignmentProperty = CLVKMarkupDependencyProperty::Register(
        L"TextAlignment", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupTextAlignmentConverter, MarkupPropertyAffectsArrange));
    m_pPaddingProperty = CLVKMarkupBorder::m_pPaddingProperty->AddOwner(pType);
    m_pTextProperty =
        CLVKMarkupDependencyProperty::Register(L"Text", CLVKMarkupString::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pBackgroundProperty = CLVKMarkupTextElement::m_pBackgroundProperty->AddOwner(pType);
    m_pForegroundProperty = CLVKMarkupTextElement::m_pForegroundProperty->AddOwner(pType);
    m_pFontSizeProperty = CLVKMarkupTextElement::m_pFontSizeProperty->AddOwner(pType);
    m_pFontWeightProperty = CLVKMarkupTextElement::m_pFontWeightProperty->AddOwner(pType);
    m_pFontStyleProperty = CLVKMarkupTextElement::m_pFontStyleProperty->AddOwner(pType);
    m_pFontFamilyProperty = CLVKMarkupTextElement::m_pFontFamilyProperty->AddOwner(pType);
    m_pTextDecorationsProperty = CLVKMarkupTextElement::m_pTextDecorationsProperty->AddOwner(pType);
    CLVKMarkupTextElement::m_pFontQualityProperty->AddOwner(pType);
    CLVKMarkupTextElement::m_pFontCharsetProperty->AddOwner(pType);
}

CLVKMarkupTextBlock::CLVKMarkupTextBlock() : m_pInlines(new CLVKMarkupInlineCollection())
{
    m_pInlines->SetLogicalParent(this);
}

CLVKMarkupTextBlock::~CLVKMarkupTextBlock()
{
    m_lines.clear();
    m_hosted.clear();
    // Detached first, so that emptying it asks nobody to lay out again.
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->RemoveAll();
    m_pInlines->Release();
}

CLVKMarkupObject* CLVKMarkupTextBlock::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

CLVKMarkupVisual* CLVKMarkupTextBlock::GetVisualChild(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_hosted.size()) ? m_hosted[nIndex] : nullptr;
}

void CLVKMarkupTextBlock::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CLVKMarkupTextBlock::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}

void CLVKMarkupTextBlock::SetText(LPCWSTR lpszText)
{
    SetValue(m_pTextProperty, new CLVKMarkupString(lpszText));
}

CString CLVKMarkupTextBlock::GetText() const
{
    CLVKMarkupInline* const pFirst = m_pInlines->GetInline(0);
    if (!pFirst)
    {
        auto* const pText = MarkupCast<CLVKMarkupString>(GetValue(m_pTextProperty));
        return pText ? CString(pText->GetText()) : CString();
    }
    CString strText;
    for (CLVKMarkupInline* pLeaf = pFirst->GetFirstInline(); pLeaf; pLeaf = pLeaf->GetNextInline())
    {
        if (auto* const pRun = MarkupCast<CLVKMarkupRun>(pLeaf))
        {
            strText += pRun->GetText();
        }
    }
    return strText;
}

void CLVKMarkupTextBlock::SetBackground(CLVKMarkupBrush* pBrush)
{
    SetValue(m_pBackgroundProperty, pBrush);
}

void CLVKMarkupTextBlock::SetForeground(CLVKMarkupBrush* pBrush)
{
    SetValue(m_pForegroundProperty, pBrush);
}

CLVKMarkupBrush* CLVKMarkupTextBlock::GetBackground() const
{
    return MarkupCast<CLVKMarkupBrush>(GetValue(m_pBackgroundProperty));
}

CLVKMarkupBrush* CLVKMarkupTextBlock::GetForeground() const
{
    return MarkupCast<CLVKMarkupBrush>(GetValue(m_pForegroundProperty));
}

CLVKMarkupThickness* CLVKMarkupTextBlock::GetPadding() const
{
    return MarkupCast<CLVKMarkupThickness>(GetValue(m_pPaddingProperty));
}

LPCWSTR CLVKMarkupTextBlock::GetFontFamily() const
{
    auto* const pFamily = MarkupCast<CLVKMarkupString>(GetValue(m_pFontFamilyProperty));
    return pFamily ? pFamily->GetText() : L"";
}

int CLVKMarkupTextBlock::GetTextAlignment() const
{
    return EnumValue(this, m_pTextAlignmentProperty);
}

int CLVKMarkupTextBlock::GetTextTrimming() const
{
    return EnumValue(this, m_pTextTrimmingProperty);
}

int CLVKMarkupTextBlock::GetTextWrapping() const
{
    return EnumValue(this, m_pTextWrappingProperty);
}

void CLVKMarkupTextBlock::OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                            CLVKMarkupObject* pNewValue)
{
    if (pProperty == m_pTextProperty && !m_bSettingText)
    {
        m_bSettingText = TRUE;
        m_pInlines->RemoveAll();
        if (auto* const pString = MarkupCast<CLVKMarkupString>(pNewValue))
        {
            CLVKMarkupContext* const pContext = GetMarkupContext();
            auto* const pRun = static_cast<CLVKMarkupRun*>(
                pContext ? pContext->CreateMarkupObject(CLVKMarkupRun::GetMarkupType()) : new CLVKMarkupRun());
            pString->AddRef();
            pRun->SetValue(CLVKMarkupRun::m_pTextProperty, pString);
            if (!m_pInlines->Add(pRun))
            {
                pRun->Release();
            }
        }
        m_bSettingText = FALSE;
    }
    CLVKMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

void CLVKMarkupTextBlock::SyncStyledText()
{
    if (m_pInlines->GetCount() > 0 || m_bSettingText)
    {
        return;
    }
    auto* const pString = MarkupCast<CLVKMarkupString>(GetValue(m_pTextProperty));
    if (!pString || pString->GetLength() == 0)
    {
        return;
    }
    m_bSettingText = TRUE;
    CLVKMarkupContext* const pContext = GetMarkupContext();
    auto* const pRun = static_cast<CLVKMarkupRun*>(
        pContext ? pContext->CreateMarkupObject(CLVKMarkupRun::GetMarkupType()) : new CLVKMarkupRun());
    pString->AddRef();
    pRun->SetValue(CLVKMarkupRun::m_pTextProperty, pString);
    if (!m_pInlines->Add(pRun))
    {
        pRun->Release();
    }
    m_bSettingText = FALSE;
}

CLVKMarkupRun* CLVKMarkupTextBlock::CreateOwnRun(LPCWSTR lpszText)
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    auto* const pRun = static_cast<CLVKMarkupRun*>(
        pContext ? pContext->CreateMarkupObject(CLVKMarkupRun::GetMarkupType()) : new CLVKMarkupRun());
    // The text goes in before the parent link, so that setting it asks the
    // block for no new layout.
    pRun->SetText(lpszText);
    pRun->SetLogicalParent(this);
    return pRun;
}

void CLVKMarkupTextBlock::RemeasureAndPropagate(CLVKMarkupDrawingContext* pDC)
{
    m_nCachedWidth = -1;
    CLVKMarkupFrameworkElement::RemeasureAndPropagate(pDC);
}

SIZE CLVKMarkupTextBlock::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int /*nHeight*/)
{
    SyncStyledText();
    const CLVKMarkupThickness* const pPadding = GetPadding();
    const int nPadX = pPadding ? pPadding->m_nLeft + pPadding->m_nRight : 0;
    const int nPadY = pPadding ? pPadding->m_nTop + pPadding->m_nBottom : 0;
    LayoutLines(pDC, std::max(0, MarkupLengthSubtract(nWidth, nPadX)));
    return SIZE{nPadX + m_nContentWidth, nPadY + m_nContentHeight};
}

void CLVKMarkupTextBlock::LayoutLines(CLVKMarkupDrawingContext* pDC, int nWidth)
{
    LayoutState state;
    state.pDC = pDC;
    state.nAvailable = nWidth;
    state.nWrapping = GetTextWrapping();
    if (state.nWrapping != kNoWrap)
    {
        state.bJustify = GetTextAlignment() == kAlignJustify;
    }
    else
    {
        state.nTrimming = GetTextTrimming();
    }
    const BOOL bForced = pDC && pDC->ForcesRemeasure();
    if (nWidth == m_nCachedWidth && !bForced)
    {
        return;
    }
    m_nCachedWidth = nWidth;
    m_lines.clear();
    m_hosted.clear();

    if (CLVKMarkupInline* const pFirst = m_pInlines->GetInline(0))
    {
        for (CLVKMarkupInline* pLeaf = pFirst->GetFirstInline(); pLeaf; pLeaf = pLeaf->GetNextInline())
        {
            LayoutInline(state, pLeaf);
        }
    }
    else
    {
        AddEmptyLinePiece(state);
    }
    state.pGrowing.reset();
    FlushPendingPieces(state);
    FinishLine(state);
    if (bForced)
    {
        m_nCachedWidth = -1;
    }
    m_nContentWidth = state.nWidest;
    m_nContentHeight = 0;
    for (const Line& line : m_lines)
    {
        m_nContentHeight += line.nHeight;
        for (const auto& pPiece : line.pieces)
        {
            auto* const pContainer = MarkupCast<CLVKMarkupInlineUIContainer>(pPiece->pInline);
            CLVKMarkupVisual* const pChild = pContainer ? pContainer->GetChild() : nullptr;
            if (pChild && std::find(m_hosted.begin(), m_hosted.end(), pChild) == m_hosted.end())
            {
                m_hosted.push_back(pChild);
            }
        }
    }
}

void CLVKMarkupTextBlock::LayoutInline(LayoutState& state, CLVKMarkupInline* pInline)
{
    pInline->PrepareFont(state.pDC);
    MarkupTextPosition nPos = pInline->GetTextStart();
    state.pGrowing.reset(new Piece(pInline, nPos, nPos));
    while (nPos != kMarkupTextEnd)
    {
        state.pGrowing->nEnd = nPos;
        if (pInline->IsCarriageReturn(nPos))
        {
            pInline->NextPosition(nPos);
        }
        if (state.nWrapping != kNoWrap && pInline->IsWhiteSpace(nPos))
        {
            state.pGrowing->Measure(state.pDC);
            FlushPendingPieces(state);
        }
        if (pInline->IsLineFeed(nPos))
        {
            state.pGrowing->Measure(state.pDC);
            FlushPendingPieces(state);
            if (state.current.pieces.empty())
            {
                AddEmptyLinePiece(state);
                FlushPendingPieces(state);
            }
            FinishLine(state);
            pInline->NextPosition(nPos);
            state.pGrowing.reset(new Piece(pInline, nPos, nPos));
            state.pGrowing->bAfterHardBreak = TRUE;
        }
        else
        {
            pInline->NextPosition(nPos);
        }
    }
    // The last stretch runs to the end of the inline.
    std::unique_ptr<Piece> pLast(state.pGrowing.release());
    if (pLast->nStart == kMarkupTextEnd)
    {
        return;
    }
    pLast->nEnd = kMarkupTextEnd;
    pLast->Measure(state.pDC);
    // The stretch after a hosted element measures nothing and is no piece.
    if (pLast->cx == 0 && pLast->cy == 0 && !pLast->bAfterHardBreak)
    {
        return;
    }
    state.pending.push_back(std::move(pLast));
}

void CLVKMarkupTextBlock::AddEmptyLinePiece(LayoutState& state)
{
    CLVKMarkupAutoPtr<CLVKMarkupRun> pRun(CreateOwnRun(L" "));
    pRun->PrepareFont(state.pDC);
    std::unique_ptr<Piece> pPiece(new Piece(pRun, 0, 0));
    pPiece->Measure(state.pDC);
    state.pending.push_back(std::move(pPiece));
}

void CLVKMarkupTextBlock::FlushPendingPieces(LayoutState& state)
{
    if (state.pGrowing && (!state.pGrowing->IsEmpty() || state.pGrowing->bAfterHardBreak))
    {
        std::unique_ptr<Piece> pNext(new Piece(state.pGrowing->pInline, state.pGrowing->nEnd, state.pGrowing->nEnd));
        state.pending.push_back(std::move(state.pGrowing));
        state.pGrowing = std::move(pNext);
    }
    if (state.nWrapping != kNoWrap && state.x > 0)
    {
        int nPending = 0;
        for (const auto& pPiece : state.pending)
        {
            nPending += pPiece->cx;
        }
        if (state.nAvailable < state.x + nPending)
        {
            state.current.bWrapped = TRUE;
            FinishLine(state);
        }
    }
    while (!state.pending.empty())
    {
        std::unique_ptr<Piece> pPiece = std::move(state.pending.front());
        state.pending.pop_front();
        CLVKMarkupInline* const pInline = pPiece->pInline;
        if (state.x == 0 && state.y > 0 && !pPiece->IsEmpty() && pPiece->nStart != kMarkupTextEnd &&
            pInline->IsBlank(pPiece->nStart))
        {
            while (!pPiece->IsEmpty() && pPiece->nStart != kMarkupTextEnd && pInline->IsBlank(pPiece->nStart))
            {
                pInline->NextPosition(pPiece->nStart);
            }
            if (pPiece->IsEmpty() || pPiece->nStart == kMarkupTextEnd)
            {
                continue;
            }
            pPiece->Measure(state.pDC);
        }
        if (state.nWrapping == kWrap && state.nAvailable < state.x + pPiece->cx && !pPiece->IsEmpty())
        {
            // Break inside the word: as many characters as fit, at least one.
            MarkupTextPosition nCut = pPiece->nStart;
            pInline->NextPosition(nCut);
            while (nCut != pPiece->nEnd && nCut != kMarkupTextEnd)
            {
                MarkupTextPosition nNext = nCut;
                pInline->NextPosition(nNext);
                const SIZE size = pInline->MeasureRange(state.pDC, pPiece->nStart, nNext);
                if (state.x + size.cx > state.nAvailable)
                {
                    break;
                }
                nCut = nNext;
            }
            std::unique_ptr<Piece> pRest;
            if (nCut != pPiece->nEnd)
            {
                pRest.reset(new Piece(pInline, nCut, pPiece->nEnd));
                pRest->Measure(state.pDC);
            }
            pPiece->nEnd = nCut;
            pPiece->Measure(state.pDC);
            pPiece->x = state.x;
            pPiece->y = state.y;
            state.x += pPiece->cx;
            state.current.pieces.push_back(std::move(pPiece));
            state.current.bWrapped = TRUE;
            FinishLine(state);
            if (pRest)
            {
                state.pending.push_front(std::move(pRest));
            }
            continue;
        }
        if (!state.bJustify && !state.current.pieces.empty())
        {
            Piece& last = *state.current.pieces.back();
            if (last.pInline == pInline && last.nEnd == pPiece->nStart && !pPiece->bAfterHardBreak)
            {
                state.x -= last.cx;
                last.nEnd = pPiece->nEnd;
                last.Measure(state.pDC);
                state.x += last.cx;
                continue;
            }
        }
        pPiece->x = state.x;
        pPiece->y = state.y;
        state.x += pPiece->cx;
        state.current.pieces.push_back(std::move(pPiece));
    }
}

void CLVKMarkupTextBlock::FinishLine(LayoutState& state)
{
    Line& line = state.current;
    if (line.pieces.empty())
    {
        return;
    }
    if (state.nTrimming && state.nAvailable < state.x)
    {
        TrimLine(state);
    }
    line.nWidth = 0;
    line.nDescent = 0;
    for (const auto& pPiece : line.pieces)
    {
        line.nWidth += pPiece->cx;
        line.nDescent = std::max(line.nDescent, pPiece->nDescent);
    }
    line.nHeight = 0;
    for (const auto& pPiece : line.pieces)
    {
        line.nHeight = std::max(line.nHeight, line.nDescent + pPiece->cy - pPiece->nDescent);
    }
    state.nWidest = std::max(state.nWidest, line.nWidth);
    state.x = 0;
    state.y += line.nHeight;
    m_lines.push_back(std::move(line));
    state.current = Line();
}

void CLVKMarkupTextBlock::TrimLine(LayoutState& state)
{
    CLVKMarkupAutoPtr<CLVKMarkupRun> pRun(CreateOwnRun(L"..."));
    pRun->PrepareFont(state.pDC);
    std::unique_ptr<Piece> pEllipsis(new Piece(pRun, 0, kMarkupTextEnd));
    pEllipsis->Measure(state.pDC);
    const int nRoom = state.nAvailable - pEllipsis->cx;

    auto& pieces = state.current.pieces;
    int nBefore = 0;
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        Piece& piece = *pieces[i];
        if (nBefore + piece.cx <= nRoom)
        {
            nBefore += piece.cx;
            continue;
        }
        CLVKMarkupInline* const pInline = piece.pInline;
        MarkupTextPosition nCharCut = piece.nStart;
        MarkupTextPosition nWordCut = kMarkupTextEnd;
        BOOL bWordSeen = FALSE;
        for (MarkupTextPosition nPos = piece.nStart; nPos != piece.nEnd && nPos != kMarkupTextEnd;)
        {
            if (nPos != piece.nStart && pInline->IsWhiteSpace(nPos))
            {
                nWordCut = nPos;
                bWordSeen = TRUE;
            }
            MarkupTextPosition nNext = nPos;
            pInline->NextPosition(nNext);
            if (nBefore + pInline->MeasureRange(state.pDC, piece.nStart, nNext).cx > nRoom)
            {
                break;
            }
            nCharCut = nNext;
            nPos = nNext;
        }
        MarkupTextPosition nCut = nCharCut;
        if (state.nTrimming == kWordEllipsis)
        {
            nCut = bWordSeen ? nWordCut : (i > 0 ? piece.nStart : nCharCut);
        }
        piece.nEnd = nCut;
        piece.Measure(state.pDC);
        nBefore += piece.cx;
        pieces.resize(i + 1);
        break;
    }
    pEllipsis->x = nBefore;
    pEllipsis->y = state.y;
    state.x = nBefore + pEllipsis->cx;
    pieces.push_back(std::move(pEllipsis));
}

SIZE CLVKMarkupTextBlock::ArrangeOverride(int nWidth, int nHeight)
{
    const CLVKMarkupThickness* const pPadding = GetPadding();
    const int nLeft = pPadding ? pPadding->m_nLeft : 0;
    const int nTop = pPadding ? pPadding->m_nTop : 0;
    const int nRight = pPadding ? pPadding->m_nRight : 0;
    const int nAlignment = GetTextAlignment();
    for (Line& line : m_lines)
    {
        int nSlack = nWidth - nRight - nLeft - line.nWidth;
        int nOffset = nAlignment == kAlignRight ? nSlack : nAlignment == kAlignCenter ? nSlack / 2 : 0;
        const BOOL bJustify = nAlignment == kAlignJustify && line.bWrapped && nWidth > line.nWidth;
        int nGaps = -1;
        for (const auto& pPiece : line.pieces)
        {
            if (!pPiece->bAfterHardBreak)
            {
                ++nGaps;
            }
        }
        BOOL bPassed = FALSE;
        for (const auto& pPiece : line.pieces)
        {
            Piece& piece = *pPiece;
            if (bJustify && !piece.bAfterHardBreak)
            {
                if (bPassed && nGaps > 0 && nSlack > 0)
                {
                    const int nGap = std::max(1, nSlack / nGaps);
                    nOffset += nGap;
                    nSlack -= nGap;
                    --nGaps;
                }
                bPassed = TRUE;
            }
            piece.dx = nLeft + nOffset;
            piece.dy = nTop + line.nHeight - piece.cy;
            switch (piece.pInline->GetBaselineAlignment())
            {
            case 0:  // Top
            case 4:  // TextTop
                piece.dy += piece.cy - line.nHeight;
                break;
            case 1:  // Center
                piece.dy += (piece.cy - line.nHeight) / 2;
                break;
            case 3:  // Baseline
                piece.dy += piece.nDescent - line.nDescent;
                break;
            case 6:  // Subscript
                piece.dy += piece.nDescent - line.nDescent / 2;
                break;
            case 7:  // Superscript
                piece.dy += line.nDescent / 2 - piece.nDescent - line.nHeight + piece.cy;
                break;
            default:  // Bottom, TextBottom
                break;
            }
            piece.pInline->ArrangeRange(piece.GetRect(), piece.nStart, piece.nEnd);
        }
    }
    return SIZE{nWidth, nHeight};
}

void CLVKMarkupTextBlock::OnRender(CLVKMarkupDrawingContext* pDC)
{
    CLVKMarkupBrush* const pBackground = GetBackground();
    if (pBackground)
    {
        pDC->FillRectangle(0, 0, m_szRender.cx, m_szRender.cy, pBackground);
    }
    CLVKMarkupContext* const pContext = GetMarkupContext();
    CLVKMarkupAutoPtr<CLVKMarkupBrush> pDefault(
        new CLVKMarkupSolidColorBrush(pContext ? pContext->GetDefaultTextColor() : 0));
    const RECT rcClip = pDC->GetClipBox();
    CLVKMarkupBrush* pLastColor = nullptr;
    for (const Line& line : m_lines)
    {
        for (const auto& pPiece : line.pieces)
        {
            const RECT rc = pPiece->GetRect();
            RECT rcMeet = {};
            if (!IntersectRect(&rcMeet, &rc, &rcClip))
            {
                continue;
            }
            CLVKMarkupInline* const pInline = pPiece->pInline;
            auto* const pInlineBackground = MarkupCast<CLVKMarkupBrush>(pInline->GetValue(m_pBackgroundProperty));
            if (pInlineBackground && pInlineBackground != pBackground)
            {
                pDC->FillRectangle(rc.left, rc.top, rc.right, rc.bottom, pInlineBackground);
            }
            auto* pColor = MarkupCast<CLVKMarkupBrush>(pInline->GetValue(m_pForegroundProperty));
            if (!pColor)
            {
                pColor = pDefault;
            }
            if (pColor != pLastColor)
            {
                pDC->SetTextColor(pColor);
                pLastColor = pColor;
            }
            pInline->RenderRange(pDC, rc, pPiece->nStart, pPiece->nEnd);
            DrawDecoration(pDC, *pPiece);
        }
    }
    pDC->SetTextColor(nullptr);
}

void CLVKMarkupTextBlock::DrawDecoration(CLVKMarkupDrawingContext* pDC, const Piece& piece)
{
    CLVKMarkupInline* const pInline = piece.pInline;
    const int nDecoration = EnumValue(pInline, m_pTextDecorationsProperty);
    if (nDecoration != 1 && nDecoration != 2)
    {
        return;
    }
    const int nDescent = piece.nDescent;
    const int nThickness = std::max(1, nDescent / 4);
    const RECT rc = piece.GetRect();
    int nTop = 0;
    if (nDecoration == 1)
    {
        nTop = rc.bottom - nDescent + nThickness + (nDescent - nThickness) % 2;
    }
    else
    {
        nTop = rc.bottom - (piece.nFontAscent - piece.nFontDescent - nThickness) / 2 - nDescent;
    }
    // The bar takes the colour of the element that asked for it.
    CLVKMarkupObject* pHolder = pInline;
    for (int nDepth = 0;
         pHolder && !pHolder->GetLocalValue(m_pTextDecorationsProperty) && nDepth < kMarkupMaxParentChain; ++nDepth)
    {
        pHolder = pHolder->GetLogicalParent();
    }
    auto* const pBrush = pHolder ? MarkupCast<CLVKMarkupBrush>(pHolder->GetValue(m_pForegroundProperty)) : nullptr;
    if (pBrush)
    {
        pDC->FillRectangle(rc.left, nTop, rc.right, nTop + nThickness, pBrush);
        return;
    }
    CLVKMarkupContext* const pContext = GetMarkupContext();
    pDC->FillSolidRect(rc.left, nTop, rc.right, nTop + nThickness, pContext ? pContext->GetDefaultTextColor() : 0);
}

CLVKMarkupInputElement* CLVKMarkupTextBlock::HitTestCore(int x, int y)
{
    const POINT pt = {x, y};
    for (const Line& line : m_lines)
    {
        for (const auto& pPiece : line.pieces)
        {
            const RECT rc = pPiece->GetRect();
            if (PtInRect(&rc, pt))
            {
                if (CLVKMarkupInputElement* const pHit = pPiece->pInline->InputHitTest(x, y))
                {
                    return pHit;
                }
            }
        }
    }
    return this;
}

BEGIN_DISPATCH_MAP(CLVKMarkupTextBlock, CLVKMarkupFrameworkElement)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextBlock, "TextWrapping", 500, OleGetTextWrapping, OleSetTextWrapping, VT_I4)
    DISP_MARKUP_NUMBER("TextTrimming", 501, CLVKMarkupTextBlock::m_pTextTrimmingProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("TextAlignment", 502, CLVKMarkupTextBlock::m_pTextAlignmentProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("TextDecorations", 503, CLVKMarkupTextBlock::m_pTextDecorationsProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("FontSize", 504, CLVKMarkupTextBlock::m_pFontSizeProperty, VT_I4, -12)
    DISP_MARKUP_NUMBER("FontWeight", 505, CLVKMarkupTextBlock::m_pFontWeightProperty, VT_I4, 400)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextBlock, "FontFamily", 506, OleGetFontFamily, OleSetFontFamily, VT_BSTR)
    DISP_MARKUP_NUMBER("FontStyle", 507, CLVKMarkupTextBlock::m_pFontStyleProperty, VT_I4, 0)
    DISP_MARKUP_OBJECT("Padding", 508, CLVKMarkupTextBlock::m_pPaddingProperty)
    DISP_MARKUP_NUMBER("FontQuality", 509, CLVKMarkupTextElement::m_pFontQualityProperty, VT_I4, 0)
    DISP_MARKUP_OBJECT("Background", 510, CLVKMarkupTextBlock::m_pBackgroundProperty)
    DISP_MARKUP_OBJECT("Foreground", 511, CLVKMarkupTextBlock::m_pForegroundProperty)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextBlock, "Text", 512, OleGetText, OleSetText, VT_VARIANT)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextBlock, "Inlines", 513, OleGetInlines, SetNotSupported, VT_DISPATCH)
END_DISPATCH_MAP()

long CLVKMarkupTextBlock::OleGetTextWrapping()
{
    return GetTextWrapping();
}

void CLVKMarkupTextBlock::OleSetTextWrapping(long nWrapping)
{
    // Scripts switch wrapping on or off; on is "WrapWithOverflow".
    SetValue(m_pTextWrappingProperty, new CLVKMarkupEnum(nWrapping ? 2 : 0));
}

CString CLVKMarkupTextBlock::OleGetFontFamily()
{
    return GetFontFamily();
}

void CLVKMarkupTextBlock::OleSetFontFamily(LPCWSTR lpszFamily)
{
    SetValue(m_pFontFamilyProperty, new CLVKMarkupString(lpszFamily));
}

VARIANT CLVKMarkupTextBlock::OleGetText()
{
    // The text of the one run when the block holds exactly one, else empty.
    auto* const pRun = m_pInlines->GetCount() == 1 ? MarkupCast<CLVKMarkupRun>(m_pInlines->GetInline(0)) : nullptr;
    VARIANT result;
    VariantInit(&result);
    V_VT(&result) = VT_BSTR;
    V_BSTR(&result) = SysAllocString(pRun ? pRun->GetText() : L"");
    return result;
}

void CLVKMarkupTextBlock::OleSetText(const VARIANT* pText)
{
    VARIANT text;
    VariantInit(&text);
    if (pText && V_VT(pText) != VT_NULL && V_VT(pText) != VT_EMPTY &&
        FAILED(VariantChangeType(&text, const_cast<VARIANT*>(pText), 0, VT_BSTR)))
    {
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
    SetText(V_VT(&text) == VT_BSTR && V_BSTR(&text) ? V_BSTR(&text) : L"");
    VariantClear(&text);
}

IDispatch* CLVKMarkupTextBlock::OleGetInlines()
{
    return GetDispatch(m_pInlines, TRUE);
}
