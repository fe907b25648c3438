#pragma once

class QWidget;

// A caption placed by fixed coordinates that another language makes longer: it widens into the
// room its parent leaves free beside it, then its font shrinks a little, then a label wraps onto
// a line below where that is free. A caption that fits keeps its place and font, so the English
// layout stays as drawn. Each call starts again from the place and font the layout gave, so a
// caption that changes may be fitted again.
void fitCaption(QWidget *control);
// Every label and button inside `area`.
void fitCaptions(QWidget *area);
