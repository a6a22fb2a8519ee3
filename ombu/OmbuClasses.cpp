// The class array of libtarnombu11: every class the library defines, registered
// with the class runtime when the library is loaded and exported through
// TARNGetClassArray for the registration tool. Append new classes here.
#include "host/runtime/ClassArray.h"
#include "image/GifConverter.h"
#include "ombu/NxAWTEvent.h"
#include "ombu/NxActionEvent.h"
#include "ombu/NxAdjustmentEvent.h"
#include "ombu/NxComponent.h"
#include "ombu/NxContainer.h"
#include "ombu/NxItemEvent.h"
#include "ombu/list/NxList.h"
#include "ombu/list/NxListComponent.h"
#include "ombu/list/NxListEvent.h"
#include "ombu/outliner/NxOutliner.h"
#include "ombu/outliner/NxOutlinerComponent.h"
#include "ombu/outliner/NxOutlinerEvent.h"
#include "ombu/outliner/NxOutlinerNode.h"
#include "ombu/outliner/NxOutlinerNodeStyle.h"
#include "ombu/widgets/NxArrowButton.h"
#include "ombu/widgets/NxButton.h"
#include "ombu/widgets/NxCheckbox.h"
#include "ombu/widgets/NxCheckboxGroup.h"
#include "ombu/widgets/NxLabel.h"
#include "ombu/widgets/NxScrollbar.h"
#include "ombu/widgets/NxScrolledWindow.h"
#include "util/NxCache.h"
#include "util/NxConverter.h"
#include "util/NxFixedVector.h"
#include "util/NxImage.h"
#include "util/NxImageCreator.h"
#include "util/NxRectNode.h"
#include "util/NxString.h"
#include "util/NxVector.h"
#include "util/Nxqsort.h"

TARN_CLASS_ARRAY(&norvex::util::NxVector::staticClass(),
                 &norvex::util::NxFixedVector::staticClass(),
                 &norvex::util::NxCache::staticClass(),
                 &norvex::util::Nxqsort::staticClass(),
                 &norvex::util::NxString::staticClass(),
                 &norvex::util::NxConverter::staticClass(),
                 &norvex::util::NxImage::staticClass(),
                 &norvex::util::NxImageCreator::staticClass(),
                 &norvex::util::NxRectNode::staticClass(),
                 &norvex::util::NxRectList::staticClass(),
                 &norvex::image::GifConverter::staticClass(),
                 &norvex::ombu::NxComponent::staticClass(),
                 &norvex::ombu::NxContainer::staticClass(),
                 &norvex::ombu::NxAWTEvent::staticClass(),
                 &norvex::ombu::NxActionEvent::staticClass(),
                 &norvex::ombu::NxAdjustmentEvent::staticClass(),
                 &norvex::ombu::NxItemEvent::staticClass(),
                 &norvex::ombu::NxLabel::staticClass(),
                 &norvex::ombu::NxButton::staticClass(),
                 &norvex::ombu::NxArrowButton::staticClass(),
                 &norvex::ombu::NxCheckbox::staticClass(),
                 &norvex::ombu::NxCheckboxGroup::staticClass(),
                 &norvex::ombu::NxScrollbar::staticClass(),
                 &norvex::ombu::ScrollbarThumb::staticClass(),
                 &norvex::ombu::NxScrolledWindow::staticClass(),
                 &norvex::ombu::Viewport::staticClass(),
                 &norvex::ombu::NxListEvent::staticClass(),
                 &norvex::ombu::NxListComponent::staticClass(),
                 &norvex::ombu::NxList::staticClass(),
                 &norvex::ombu::NxOutlinerNode::staticClass(),
                 &norvex::ombu::NxOutlinerFolderNode::staticClass(),
                 &norvex::ombu::NxOutlinerNodeStyle::staticClass(),
                 &norvex::ombu::NxOutlinerEvent::staticClass(),
                 &norvex::ombu::NxOutlinerComponent::staticClass(),
                 &norvex::ombu::NxOutliner::staticClass())
