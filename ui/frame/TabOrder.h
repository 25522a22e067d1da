#pragma once

class QWidget;

// The stored layout gives each control its place in the tab order as the
// dynamic property "tabIndex". A control put in at run time has none of its
// own and takes its holder's: the browser pane goes where the layout keeps
// its place. What lies inside such a control is its own business.

// Links the controls of `surface` that can take the focus in the order of
// their tab indexes. Option buttons count whether or not their group lets
// Tab reach them just now, so each keeps its place.
void OrderTabStops(QWidget& surface);

// Orders them, then gives the focus to the first that can take it now.
void ApplyTabOrder(QWidget& surface);
