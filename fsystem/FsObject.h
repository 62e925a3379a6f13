#pragma once
// The root of every library class, so a list node can own any library
// object and destroy it without knowing its class.

class FsObject {
 public:
  virtual ~FsObject();
  virtual int Probe(void* value) = 0;
  virtual const char* ClassName() const = 0;
  virtual const char* Label() const = 0;
  virtual int State() const;
};

// The one empty text that every library class gives as its Label().
extern const char kEmptyLabel[];
