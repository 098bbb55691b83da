// IDateSelector: the day a daily plan's contents show, as the pane that hosts them chose it.
#pragma once

class IDateSelector {
public:
    // The shown day as an OLE date with no time part.
    virtual double GetDate() = 0;
    // Shows the day and reloads the contents.
    virtual void SelectDate(double date) = 0;

protected:
    ~IDateSelector() = default;
};
