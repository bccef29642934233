#pragma once
#include <windows.h>

class DeviceNode;

// The health block at the top of the information pane: two heights (the compact one that
// shows the first lines, the full one that shows all) and the drawing, all for a width.
class StatusItem {
public:
    virtual ~StatusItem() = default;
    virtual int HeightA(int width) = 0;
    virtual int HeightB(int width) = 0;
    virtual void Draw(HDC dc, int width) = 0;
};

// The computer: its status, its severity and the advice, one under the other.
class SystemStatusItem : public StatusItem {
public:
    explicit SystemStatusItem(const DeviceNode& node) : node_(node) {}
    int HeightA(int width) override;
    int HeightB(int width) override;
    void Draw(HDC dc, int width) override;

private:
    const DeviceNode& node_;
};

// A hub or device: its severity on the left, its four texts in a column to the right.
class DeviceStatusItem : public StatusItem {
public:
    explicit DeviceStatusItem(const DeviceNode& node) : node_(node) {}
    int HeightA(int width) override;
    int HeightB(int width) override;
    void Draw(HDC dc, int width) override;

private:
    int RightColumn(HDC dc, int width, bool draw);
    const DeviceNode& node_;
};
