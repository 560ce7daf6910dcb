#pragma once
// The timeline widget with its model, markers and painted view.
#include <PlovdaneQt/QtTimeLineDataStore.h>
#include <PlovdaneQt/QtTimeLineMarker.h>
#include <PlovdaneQt/QtTimeLineView.h>
#include <PlovdaneQt/QtTimeLineWidget.h>
