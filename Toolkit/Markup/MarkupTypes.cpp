// Registers the dependency properties of every markup type, base types
// first, so that every tag is known before the first text is parsed.
#include "Markup/MarkupBorder.h"
#include "Markup/MarkupBrushKey.h"
#include "Markup/MarkupCanvas.h"
#include "Markup/MarkupDockPanel.h"
#include "Markup/MarkupColorKey.h"
#include "Markup/MarkupColumnDefinitionCollection.h"
#include "Markup/MarkupKeyboardNavigation.h"
#include "Markup/MarkupLine.h"
#include "Markup/MarkupLvkScript.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupCollection.h"
#include "Markup/MarkupColor.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupControl.h"
#include "Markup/MarkupDependencyProperty.h"
#include "Markup/MarkupDouble.h"
#include "Markup/MarkupEllipse.h"
#include "Markup/MarkupDoubleCollection.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupFont.h"
#include "Markup/MarkupFrameworkContentElement.h"
#include "Markup/MarkupFrameworkElement.h"
#include "Markup/MarkupGrid.h"
#include "Markup/MarkupGridLength.h"
#include "Markup/MarkupGradientStops.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupLinearGradientBrush.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupObjectProperty.h"
#include "Markup/MarkupPanel.h"
#include "Markup/MarkupPath.h"
#include "Markup/MarkupPathData.h"
#include "Markup/MarkupButton.h"
#include "Markup/MarkupCheckBox.h"
#include "Markup/MarkupRadioButton.h"
#include "Markup/MarkupScrollBarGripper.h"
#include "Markup/MarkupScrollViewer.h"
#include "Markup/MarkupScrollBar.h"
#include "Markup/MarkupPathGeometry.h"
#include "Markup/MarkupPathGeometryFigures.h"
#include "Markup/MarkupPoint.h"
#include "Markup/MarkupPointCollection.h"
#include "Markup/MarkupPolygon.h"
#include "Markup/MarkupPolyline.h"
#include "Markup/MarkupRectangle.h"
#include "Markup/MarkupRenderTransform.h"
#include "Markup/MarkupResourceDictionary.h"
#include "Markup/MarkupRoutedEvent.h"
#include "Markup/MarkupRowDefinitionCollection.h"
#include "Markup/MarkupSetterCollection.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupStackPanel.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupStyle.h"
#include "Markup/MarkupTextBlock.h"
#include "Markup/MarkupElementTypes.h"
#include "Markup/MarkupThickness.h"
#include "Markup/MarkupTriggerCollection.h"
#include "Markup/MarkupUIElementCollection.h"
#include "Markup/MarkupUniformGrid.h"
#include "Markup/MarkupWrapPanel.h"

void AFX_CDECL MarkupRegisterAllTypes()
{
    static const bool bDone = []
    {
        // The getters build the types (and enter their tags) on the way.
        CLVKMarkupType* const types[] = {
            CLVKMarkupObject::GetMarkupType(),
            CLVKMarkupType::GetMarkupType(),
            CLVKMarkupDependencyProperty::GetMarkupType(),
            CLVKMarkupRoutedEvent::GetMarkupType(),
            CLVKMarkupString::GetMarkupType(),
            CLVKMarkupBool::GetMarkupType(),
            CLVKMarkupInt::GetMarkupType(),
            CLVKMarkupEnum::GetMarkupType(),
            CLVKMarkupDouble::GetMarkupType(),
            CLVKMarkupColor::GetMarkupType(),
            CLVKMarkupDoubleCollection::GetMarkupType(),
            CLVKMarkupCollection::GetMarkupType(),
            CLVKMarkupObjectProperty::GetMarkupType(),
            CLVKMarkupSetter::GetMarkupType(),
            CLVKMarkupTrigger::GetMarkupType(),
            CLVKMarkupSetterCollection::GetMarkupType(),
            CLVKMarkupTriggerCollection::GetMarkupType(),
            CLVKMarkupStyle::GetMarkupType(),
            CLVKMarkupResourceDictionary::GetMarkupType(),
            CLVKMarkupInputElement::GetMarkupType(),
            CLVKMarkupVisual::GetMarkupType(),
            CLVKMarkupUIElement::GetMarkupType(),
            CLVKMarkupFrameworkElement::GetMarkupType(),
            CLVKMarkupFrameworkContentElement::GetMarkupType(),
            CLVKMarkupBrush::GetMarkupType(),
            CLVKMarkupSolidColorBrush::GetMarkupType(),
            CLVKMarkupLinearGradientBrush::GetMarkupType(),
            CLVKMarkupGradientStop::GetMarkupType(),
            CLVKMarkupGradientStops::GetMarkupType(),
            CLVKMarkupPoint::GetMarkupType(),
            CLVKMarkupThickness::GetMarkupType(),
            CLVKMarkupPathData::GetMarkupType(),
            CLVKMarkupPathGeometry::GetMarkupType(),
            CLVKMarkupPathGeometryFigures::GetMarkupType(),
            CLVKMarkupFont::GetMarkupType(),
            CLVKMarkupTransform::GetMarkupType(),
            CLVKMarkupRotateTransform::GetMarkupType(),
            CLVKMarkupScaleTransform::GetMarkupType(),
            CLVKMarkupSkewTransform::GetMarkupType(),
            CLVKMarkupTranslateTransform::GetMarkupType(),
            CLVKMarkupRenderTransform::GetMarkupType(),
            CLVKMarkupUIElementCollection::GetMarkupType(),
            CLVKMarkupPanel::GetMarkupType(),
            CLVKMarkupUniformGrid::GetMarkupType(),
            CLVKMarkupStackPanel::GetMarkupType(),
            CLVKMarkupDockPanel::GetMarkupType(),
            CLVKMarkupWrapPanel::GetMarkupType(),
            CLVKMarkupCanvas::GetMarkupType(),
            CLVKMarkupGridLength::GetMarkupType(),
            CLVKMarkupDefinitionBase::GetMarkupType(),
            CLVKMarkupColumnDefinition::GetMarkupType(),
            CLVKMarkupRowDefinition::GetMarkupType(),
            CLVKMarkupDefinitionCollection::GetMarkupType(),
            CLVKMarkupColumnDefinitionCollection::GetMarkupType(),
            CLVKMarkupRowDefinitionCollection::GetMarkupType(),
            CLVKMarkupGrid::GetMarkupType(),
            CLVKMarkupPointCollection::GetMarkupType(),
            CLVKMarkupShape::GetMarkupType(),
            CLVKMarkupRectangle::GetMarkupType(),
            CLVKMarkupEllipse::GetMarkupType(),
            CLVKMarkupLine::GetMarkupType(),
            CLVKMarkupPolyline::GetMarkupType(),
            CLVKMarkupPolygon::GetMarkupType(),
            CLVKMarkupPath::GetMarkupType(),
            CLVKMarkupDecorator::GetMarkupType(),
            CLVKMarkupBorder::GetMarkupType(),
            CLVKMarkupTextBlock::GetMarkupType(),
            MARKUP_ELEMENT_TYPES CLVKMarkupControl::GetMarkupType(),
            CLVKMarkupContentControl::GetMarkupType(),
            CLVKMarkupButtonBase::GetMarkupType(),
            CLVKMarkupButton::GetMarkupType(),
            CLVKMarkupToggleButton::GetMarkupType(),
            CLVKMarkupCheckBox::GetMarkupType(),
            CLVKMarkupRadioButton::GetMarkupType(),
            CLVKMarkupScrollBar::GetMarkupType(),
            CLVKMarkupScrollBarGripper::GetMarkupType(),
            CLVKMarkupScrollViewer::GetMarkupType(),
            CLVKMarkupRoutedEventArgs::GetMarkupType(),
            CLVKMarkupMouseEventArgs::GetMarkupType(),
            CLVKMarkupMouseButtonEventArgs::GetMarkupType(),
            CLVKMarkupMouseWheelEventArgs::GetMarkupType(),
            CLVKMarkupQueryCursorEventArgs::GetMarkupType(),
            CLVKMarkupColorKey::GetMarkupType(),
            CLVKMarkupBrushKey::GetMarkupType(),
            CLVKMarkupKeyboardNavigation::GetMarkupType(),
            CLVKMarkupExtension::GetMarkupType(),
            CLVKMarkupLvkScript::GetMarkupType(),
        };
        CLVKMarkupType::RegisterAll();
        for (CLVKMarkupType* const pType : types)
        {
            CLVKMarkupType::EnsureRegistered(pType);
        }
        return true;
    }();
    (void)bDone;
}
