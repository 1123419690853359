#pragma once
// The common base of everything that can send an event: handlers receive their sender as this.
class TObject {
public:
    virtual ~TObject() = default;
};
